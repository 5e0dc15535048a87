#ifndef DRAVIK_CONFIG_RNTSTRATEGYPARSER_H
#define DRAVIK_CONFIG_RNTSTRATEGYPARSER_H

#include "config/StrategyParser.h"

// "RNTStrategy": a RNTStrategy, which has no attributes.
class RNTStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
