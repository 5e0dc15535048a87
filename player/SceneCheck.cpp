#include "player/SceneCheck.h"

#include <cstdlib>

#include "app/WindowsFrameTimer.h"
#include "player/LoadedLibraries.h"
#include "player/OffscreenContext.h"
#include "player/PlayerError.h"
#include "player/SceneSource.h"

int checkScene(PlayerOptions options) {
    options.strict = true;
    options.quiet = true;
    const OffscreenContext context;
    keepLoadedLibrariesMapped();
    WindowsFrameTimer timer;
    std::srand(options.seed);  // the random values the scene would play with
    buildScene(options, &timer);  // throws with the --strict status on problems
    return 0;
}
