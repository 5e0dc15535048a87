#include "player/PlayerOptions.h"
#include "wall/WallLockstep.h"

std::unique_ptr<FrameLockstep> joinWall(PlayerOptions& options) {
    const WallLayout layout = WallLayout::fromOptions(options);
    if (!layout.isWall()) return nullptr;
    auto wall = std::make_unique<WallLockstep>(layout, WallFault::parse(options.wallFaults));
    options.width = layout.displayWidth();
    options.height = layout.displayHeight();
    if (!wall->ownsInput()) {  // input reaches the other ranks from rank 0
        options.scriptPath.clear();
        options.recordPath.clear();
        options.tuio = false;
    }
    return wall;
}
