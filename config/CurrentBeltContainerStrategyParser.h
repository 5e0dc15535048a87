#ifndef DRAVIK_CONFIG_CURRENTBELTCONTAINERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_CURRENTBELTCONTAINERSTRATEGYPARSER_H

#include "config/BoundedContainerStrategyParser.h"
#include "framework/Export.h"

// "CurrentBeltContainer": a CurrentBeltContainerStrategy of belt width 100, 4 control points
// and 4 subdivision levels; "belt-width" sets the belt width, and the container attributes
// of BoundedContainerStrategyParser the rest. A belt width that is not positive, or wider
// than the component holds inside its border (so that the belt's outlines cross), writes a
// warning and is used all the same.
class DRAVIK_API CurrentBeltContainerStrategyParser : public BoundedContainerStrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
