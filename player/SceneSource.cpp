#include "player/SceneSource.h"

#include "player/DemoScene.h"
#include "player/PlayerError.h"
#include "player/SceneFileManager.h"

std::unique_ptr<DefaultManager> buildScene(const PlayerOptions& options, FrameTimer* timer) {
    if (options.scenePath.empty()) return buildDemoScene(timer, options.width, options.height);
    auto scene = std::make_unique<SceneFileManager>(options, timer);
    if (options.strict && scene->getProblemCount() > 0)
        throw PlayerError(std::to_string(scene->getProblemCount()) + " problems in scene file " + options.scenePath +
                              " (--strict)",
                          PlayerError::kSceneProblems);
    return scene;
}
