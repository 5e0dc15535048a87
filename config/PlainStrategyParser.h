#ifndef DRAVIK_CONFIG_PLAINSTRATEGYPARSER_H
#define DRAVIK_CONFIG_PLAINSTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"
#include "framework/VisComponent.h"

// The parser of a strategy that a scene file configures with no attributes: it pushes a
// default-constructed `Strategy` onto the component. Hosts can register it for strategies
// of their own choice under names of their own.
template <class Strategy>
class DRAVIK_API PlainStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode&, VisComponent* component) override { component->pushStrategy(new Strategy()); }
};

#endif
