// dravik-player: plays a scene of Dravik strategies in a window, driven by the mouse or by a
// touch script. See PlayerOptions::usage() for the command line.
#include <GL/freeglut.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>

#include "dravik/Version.h"
#include "player/LoadedLibraries.h"
#include "player/PlayerError.h"
#include "player/PlayerOptions.h"
#include "player/PlayerWindow.h"
#include "player/Screenshot.h"
#include "player/TouchScript.h"

namespace {

int fail(const std::string& message, int status) {
    std::cerr << "dravik-player: " << message << '\n';
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    PlayerOptions options;
    TouchScript script;
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
        if (!options.scriptPath.empty()) script = TouchScript::load(options.scriptPath);
        if (!options.screenshotPath.empty()) Screenshot::checkWritable(options.screenshotPath);
    } catch (const PlayerError& e) {
        return fail(e.what(), e.status());
    } catch (const std::exception& e) {
        return fail(e.what(), PlayerError::kBadInput);
    }

    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return fail("no display to open a window on (without one, run under xvfb-run -a)", 1);

    // freeglut sees only the program name: every argument is the player's.
    int glutArgc = 1;
    char* glutArgv[] = {argv[0], nullptr};
    glutInit(&glutArgc, glutArgv);
    int status = 0;
    {
        std::optional<PlayerWindow> player;
        try {
            player.emplace(options, std::move(script));
            player->run();
            player->printSummary(std::cout);
        } catch (const PlayerError& e) {
            status = fail(e.what(), e.status());
        } catch (const std::runtime_error& e) {  // a strategy that cannot do what the scene asks
            status = fail(std::string("scene problem: ") + e.what(), PlayerError::kSceneProblems);
        } catch (const std::exception& e) {  // out of memory, say: still a clean exit
            status = fail(e.what(), 1);
        }
    }  // the scene and then the window go while freeglut still runs
    // On every path, a scene that failed to load included: leak checks at exit can then name
    // the driver's blocks.
    keepLoadedLibrariesMapped();
    glutExit();
    return status;
}
