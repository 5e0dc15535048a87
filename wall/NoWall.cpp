#include "player/FrameLockstep.h"
#include "player/PlayerError.h"
#include "player/PlayerOptions.h"
#include "wall/WallLayout.h"

// The player built without MPI: no wall, but the options are still checked.
std::unique_ptr<FrameLockstep> joinWall(PlayerOptions& options) {
    if (WallLayout::fromOptions(options).isWall())
        throw PlayerError("this dravik-player was built without MPI: a display wall needs Open MPI (libopenmpi-dev)");
    return nullptr;
}
