#include "player/SceneSource.h"

#include "player/DemoScene.h"
#include "player/SceneFileManager.h"

std::unique_ptr<DefaultManager> buildScene(const PlayerOptions& options, FrameTimer* timer) {
    if (options.scenePath.empty()) return buildDemoScene(timer, options.width, options.height);
    return std::make_unique<SceneFileManager>(options.scenePath, timer);
}
