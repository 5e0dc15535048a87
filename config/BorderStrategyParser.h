#ifndef DRAVIK_CONFIG_BORDERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_BORDERSTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

class BorderStrategy;

// "Border": a BorderStrategy. "color-red", "color-green", "color-blue", "color-alpha" set the
// outline colour and "selected-red" ... "selected-alpha" the selected outline colour, each
// read in single precision and used only when all four of a colour are present; channels
// outside 0 to 1 are taken as the nearer end, with a warning.
class DRAVIK_API BorderStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;

protected:
    // Sets the two colours of any border from the attributes above; `parser` names the
    // caller in warnings.
    void readColors(const XMLNode& node, BorderStrategy& border, const char* parser) const;
};

#endif
