#ifndef DRAVIK_PLAYER_MULTITOUCHTRANSFORMSTRATEGYPARSER_H
#define DRAVIK_PLAYER_MULTITOUCHTRANSFORMSTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

// "MultiTouchTransformStrategy": a MultiTouchTransformStrategy (pinch to move, turn and
// scale). "min-scale" and "max-scale" bound the scale (default 0.25 and 4; positive, the
// minimum at most the maximum); "move", "turn" and "scale" set to "false" switch that part
// off; "share-among-users" "true" lets the contacts of different users form one gesture.
// Bad values are reported as diagnostics and the defaults kept.
class DRAVIK_API MultiTouchTransformStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
