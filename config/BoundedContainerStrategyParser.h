#ifndef DRAVIK_CONFIG_BOUNDEDCONTAINERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_BOUNDEDCONTAINERSTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

class BoundedContainerStrategy;

// A BoundedContainerStrategy with 4 control points and 4 subdivision levels, configured by
// the container attributes below. The library does not register it; hosts that want
// bounded containers in their scenes register it under a name of their choice (the player
// uses "BoundedContainer").
//
// Container attributes, shared with "CurrentBeltContainer":
//   "number-control-points"  3 to BoundedContainerStrategy::kMaxControlPoints (fractions are
//                            truncated); fewer keeps the default, more gives the limit
//   "subdivision-levels"     0 to BoundedContainerStrategy::kMaxSplineLevels; more gives the
//                            limit
//   "display-control-points" exactly "false" hides the control points (and their discs)
//   "color-red" ... "color-alpha", "border-red" ..., "selected-red" ...: the inside, ring
//                            and selection colours, each used only when all four are given
// A value out of range is reported as a warning; the scene is still built.
class DRAVIK_API BoundedContainerStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;

protected:
    // Sets the container attributes of `node` on `strategy`; warnings name `parserName`.
    void readContainerAttributes(const XMLNode& node, BoundedContainerStrategy& strategy,
                                 const char* parserName) const;
};

#endif
