#ifndef DRAVIK_CONFIG_GRADIENTBORDERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_GRADIENTBORDERSTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

// "GradientBorder": a GradientBorderStrategy. "border-width" sets the band width (a positive
// number; anything else keeps 5 pixels, with a warning); "color-red" ... "color-alpha" set the
// band colour, read in double precision and used only when all four are present.
class DRAVIK_API GradientBorderStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
