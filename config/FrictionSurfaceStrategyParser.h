#ifndef DRAVIK_CONFIG_FRICTIONSURFACESTRATEGYPARSER_H
#define DRAVIK_CONFIG_FRICTIONSURFACESTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

// "FrictionSurface": a FrictionSurfaceStrategy; "border-width" and "border-height" set the
// size of its border band (whole numbers; fractions and random values are truncated).
class DRAVIK_API FrictionSurfaceStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
