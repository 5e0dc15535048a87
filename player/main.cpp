// dravik-player: plays a scene of Dravik strategies in a window, driven by the mouse or by a
// touch script. See PlayerOptions::usage() for the command line.
#include <GL/freeglut.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

#include "dravik/Version.h"
#include "player/DisplayCheck.h"
#include "player/FrameLockstep.h"
#include "player/LoadedLibraries.h"
#include "player/PlayerError.h"
#include "player/PlayerOptions.h"
#include "player/PlayerWindow.h"
#include "player/SceneCheck.h"
#include "player/Screenshot.h"
#include "player/TouchScript.h"

namespace {

int fail(const std::string& prefix, const std::string& message, int status) {
    std::cerr << prefix << message << '\n';
    return status;
}

int check(const PlayerOptions& options) {
    const std::string prefix = "dravik-player: ";
    try {
        return checkScene(options);
    } catch (const PlayerError& e) {
        return fail(prefix, e.what(), e.status());
    } catch (const std::runtime_error& e) {  // a strategy that cannot do what the scene asks
        return fail(prefix + "scene problem: ", e.what(), PlayerError::kSceneProblems);
    } catch (const std::exception& e) {
        return fail(prefix, e.what(), 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    PlayerOptions options;
    std::unique_ptr<FrameLockstep> wall;  // in a display wall: the lockstep with the other processes
    try {
        options = PlayerOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << PlayerOptions::usage();
            return 0;
        }
        if (options.version) {
            std::cout << "dravik-player " << DRAVIK_VERSION << '\n';
            return 0;
        }
        if (options.check) return check(options);
        wall = joinWall(options);
    } catch (const PlayerError& e) {
        return fail("dravik-player: ", e.what(), e.status());
    } catch (const std::exception& e) {
        return fail("dravik-player: ", e.what(), PlayerError::kBadInput);
    }
    const std::string prefix = wall != nullptr ? wall->messagePrefix() : "dravik-player: ";

    // Start-up. In a wall, a process that fails here still tells the others, so that all end.
    std::string failure;
    int status = 0;
    auto failed = [&](const std::string& why, int exitStatus) {
        failure = why;
        status = exitStatus;
    };
    TouchScript script;
    try {
        if (!options.scriptPath.empty()) script = TouchScript::load(options.scriptPath);
        if (!options.screenshotPath.empty()) Screenshot::checkWritable(options.screenshotPath);
        checkDisplay(options.fullscreen);
    } catch (const PlayerError& e) {
        failed(e.what(), e.status());
    } catch (const std::exception& e) {
        failed(e.what(), PlayerError::kBadInput);
    }
    if (wall == nullptr && !failure.empty()) return fail(prefix, failure, status);

    // freeglut sees only the program name: every argument is the player's.
    int glutArgc = 1;
    char* glutArgv[] = {argv[0], nullptr};
    const bool glutStarted = failure.empty();
    if (glutStarted) glutInit(&glutArgc, glutArgv);
    {
        std::optional<PlayerWindow> player;
        if (failure.empty()) {
            try {
                player.emplace(options, std::move(script), wall.get());
            } catch (const PlayerError& e) {
                failed(e.what(), e.status());
            } catch (const std::runtime_error& e) {  // a strategy that cannot do what the scene asks
                failed(std::string("scene problem: ") + e.what(), PlayerError::kSceneProblems);
            } catch (const std::exception& e) {  // out of memory, say: still a clean exit
                failed(e.what(), 1);
            }
        }
        if (!failure.empty()) fail(prefix, failure, status);
        if (wall != nullptr && !wall->allStarted(failure) && status == 0) status = 1;
        if (status == 0) {
            try {
                player->run();
                player->printSummary(std::cout);
            } catch (const PlayerError& e) {
                status = fail(prefix, e.what(), e.status());
            } catch (const std::runtime_error& e) {
                status = fail(prefix, std::string("scene problem: ") + e.what(), PlayerError::kSceneProblems);
            } catch (const std::exception& e) {
                status = fail(prefix, e.what(), 1);
            }
        }
    }  // the scene and then the window go while freeglut still runs
    if (glutStarted) {
        // On every path, a scene that failed to load included: leak checks at exit can then
        // name the driver's blocks.
        keepLoadedLibrariesMapped();
        glutExit();
    }
    return status;
}
