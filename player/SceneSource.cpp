#include "player/SceneSource.h"

#include <fstream>

#include "player/DemoScene.h"
#include "player/PlayerError.h"

std::unique_ptr<DefaultManager> buildScene(const PlayerOptions& options, FrameTimer* timer) {
    if (options.scenePath.empty()) return buildDemoScene(timer, options.width, options.height);
    if (!std::ifstream(options.scenePath)) throw PlayerError("cannot open scene file " + options.scenePath);
    throw PlayerError("this build of the player cannot load scene files yet: " + options.scenePath);
}
