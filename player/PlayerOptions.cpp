#include "player/PlayerOptions.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <limits>

#include "input/InputError.h"
#include "player/GridView.h"
#include "player/PlayerError.h"

namespace {

constexpr unsigned kLargestSide = 16384;

// The whole text as a decimal number of at most `largest`; false for anything else.
template <typename Number>
bool parseUnsigned(const std::string& text, Number largest, Number& value) {
    const char* end = text.data() + text.size();
    Number parsed = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, parsed);
    if (error != std::errc() || stop != end || parsed > largest) return false;
    value = parsed;
    return true;
}

void parseSize(const std::string& text, PlayerOptions& options) {
    const std::size_t x = text.find('x');
    unsigned w = 0, h = 0;
    if (x == std::string::npos || !parseUnsigned(text.substr(0, x), kLargestSide, w) ||
        !parseUnsigned(text.substr(x + 1), kLargestSide, h) || w == 0 || h == 0)
        throw PlayerError("--size expects WIDTHxHEIGHT in pixels (1 to 16384 each), not '" + text + "'");
    options.width = w;
    options.height = h;
}

// A limit: a whole number, 0 for none.
template <typename Number>
void parseLimit(const std::string& option, const std::string& text, Number& limit) {
    if (!parseUnsigned(text, std::numeric_limits<Number>::max(), limit))
        throw PlayerError(option + " expects a whole number (0 for no limit), not '" + text + "'");
}

}  // namespace

PlayerOptions PlayerOptions::parse(const std::vector<std::string>& arguments) {
    PlayerOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw PlayerError("option " + argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--script") {
            options.scriptPath = value();
        } else if (argument == "--screenshot") {
            options.screenshotPath = value();
        } else if (argument == "--frames") {
            const std::string& text = value();
            if (!parseUnsigned(text, 1000000000u, options.frames) || options.frames == 0)
                throw PlayerError("--frames expects a number of frames from 1 to 1000000000, not '" + text + "'");
        } else if (argument == "--size") {
            parseSize(value(), options);
        } else if (argument == "--grid") {
            const std::string& name = value();
            options.grid = GridView::resolve(name);
            if (options.grid.empty())
                throw PlayerError("--grid expects button, friction, size, orientation or direction, not '" + name + "'");
        } else if (argument == "--summary-at") {
            const std::string& text = value();
            std::size_t start = 0;
            for (std::size_t comma; start <= text.size(); start = comma + 1) {
                comma = std::min(text.find(',', start), text.size());
                unsigned frame = 0;
                if (!parseUnsigned(text.substr(start, comma - start), 1000000000u, frame) || frame == 0)
                    throw PlayerError("--summary-at expects frame numbers separated by commas, not '" + text + "'");
                options.summaryFrames.push_back(frame);
            }
        } else if (argument == "--watch") {
            options.watch = true;
        } else if (argument == "--check") {
            options.check = true;
        } else if (argument == "--fullscreen") {
            options.fullscreen = true;
        } else if (argument == "--hide-cursor") {
            options.hideCursor = true;
        } else if (argument == "--no-overlay") {
            options.overlay = false;
        } else if (argument == "--tuio") {
            options.tuio = true;
            // The port is optional: a number right after the option is one.
            if (i + 1 < arguments.size() && !arguments[i + 1].empty() &&
                arguments[i + 1].find_first_not_of("0123456789") == std::string::npos) {
                const std::string& text = arguments[++i];
                if (!parseUnsigned(text, 65535u, options.tuioPort))
                    throw PlayerError("--tuio expects a UDP port from 0 to 65535, not '" + text + "'");
            }
        } else if (argument == "--tuio-transform") {
            try {
                options.tuioCalibration = TrackerCalibration::parse(value());
            } catch (const InputError& e) {
                throw PlayerError(std::string("--tuio-transform: ") + e.what());
            }
        } else if (argument == "--record") {
            options.recordPath = value();
            if (options.recordPath.empty()) throw PlayerError("the record file name is empty");
        } else if (argument == "--seed") {
            const std::string& text = value();
            options.seedFromTime = text == "time";
            if (options.seedFromTime) options.seed = static_cast<unsigned>(std::time(nullptr));
            else if (!parseUnsigned(text, 4294967295u, options.seed))
                throw PlayerError("--seed expects a number from 0 to 4294967295 or 'time', not '" + text + "'");
        } else if (argument == "--stats") {
            options.stats = true;
        } else if (argument == "--strict") {
            options.strict = true;
        } else if (argument == "--quiet") {
            options.quiet = true;
        } else if (argument == "--wall") {
            options.wall = value();
        } else if (argument == "--tile") {
            options.wallTile = value();
        } else if (argument == "--mullion") {
            options.wallMullion = value();
        } else if (argument == "--wall-test-fault") {
            options.wallFaults.push_back(value());
        } else if (argument == "--max-component-pixels") {
            parseLimit(argument, value(), options.sceneLimits.maxComponentPixels);
        } else if (argument == "--max-components") {
            parseLimit(argument, value(), options.sceneLimits.maxComponents);
        } else if (argument == "--max-scene-pixels") {
            parseLimit(argument, value(), options.sceneLimits.maxScenePixels);
        } else if (argument == "--max-texture-series") {
            parseLimit(argument, value(), options.sceneLimits.maxTextureSeries);
        } else if (argument == "--max-image-bytes") {
            parseLimit(argument, value(), options.maxImageBytes);
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw PlayerError("unknown option " + argument + " (see --help)");
        } else if (options.scenePath.empty()) {
            if (argument.empty()) throw PlayerError("the scene file name is empty");
            options.scenePath = argument;
        } else {
            throw PlayerError("more than one scene file: " + options.scenePath + " and " + argument);
        }
    }
    if ((options.watch || options.check) && options.scenePath.empty())
        throw PlayerError(std::string(options.watch ? "--watch" : "--check") + " needs a scene file");
    // Every process of a wall must show the same scene at the same frame.
    if (options.watch && !options.wall.empty()) throw PlayerError("--watch cannot be used with --wall");
    return options;
}

const char* PlayerOptions::usage() {
    return "Usage: dravik-player [SCENE.xml] [options]\n"
           "\n"
           "Plays a scene of Dravik strategies in a window: the built-in demo (a friction table\n"
           "with cards to drag, turn and toss) or the scene file given. The left, middle and right\n"
           "mouse buttons are the touches of users 1, 2 and 3; every finger on a touch screen or a\n"
           "TUIO 1.1 table is a user of its own (4, 5, ... while it is down), a TUIO 2.0 pointer\n"
           "is the touch of its user; keys go to the component under the pointer; F1 shows or\n"
           "hides the overlay; Esc quits (so do SIGINT and SIGTERM, with the summary printed).\n"
           "\n"
           "  --script FILE        replay the touch script FILE (default: none; see\n"
           "                       examples/demo.touch)\n"
           "  --frames N           run N frames and exit (default: until the window closes);\n"
           "                       time then advances 1/60 s per frame, so that runs are\n"
           "                       reproducible, unless --tuio makes them real time\n"
           "  --screenshot FILE    write the last frame to FILE as a PNG image (default: none)\n"
           "  --size WxH           window size in pixels (default 1024x768)\n"
           "  --no-overlay         hide the frame rate, touch-to-screen time, memory and\n"
           "                       component count (default: shown; F1 shows or hides it)\n"
           "  --fullscreen         cover the whole screen (default: a window of --size)\n"
           "  --hide-cursor        no mouse pointer over the window, for touch tables\n"
           "                       (default: shown). A systemd unit that starts the player\n"
           "                       with the machine and again whenever it stops comes with\n"
           "                       it: /usr/share/doc/dravik-player/dravik-player.service\n"
           "  --tuio [PORT]        take TUIO 1.1 and 2.0 touches on UDP PORT (default: off;\n"
           "                       PORT 3333 when not given, 0 for any free port); frames then\n"
           "                       run in real time, at most 60 a second, also with --frames\n"
           "  --tuio-transform T   how the tracker lies on the display, a list of flip-x,\n"
           "                       flip-y, turn-90, turn-180, turn-270 and area=WxH+LEFT+TOP (the\n"
           "                       part of the tracker's 0 to 1 range the display covers;\n"
           "                       touches outside it are dropped), e.g. flip-y,area=0.8x0.9+0.1+0\n"
           "                       (default: none, the whole range as it is)\n"
           "  --record FILE        write every touch of the run (mouse, touch screen, TUIO,\n"
           "                       script) to FILE as a touch script for --script (default: none)\n"
           "  --seed N|time        seed of the random values in the scene file (default 1, so\n"
           "                       runs are reproducible; time: from the clock)\n"
           "  --stats              print the frame rate and touch-to-screen times at exit\n"
           "                       (default: off)\n"
           "  --grid NAME          draw the components' grids of one type over the scene: button,\n"
           "                       friction, size, orientation or direction (default: none;\n"
           "                       F2 cycles them)\n"
           "  --summary-at F,F,... print where the components are after each of these frames\n"
           "                       too (default: only at the end)\n"
           "  -h, --help           show this text\n"
           "  --version            print the version of dravik-player and exit\n"
           "\n"
           "Scene files (problems go to standard error, one line each, with file and line):\n"
           "  --strict             stop with exit status 1 once the scene is loaded if it had\n"
           "                       problems (an unknown strategy, a missing texture, a bad\n"
           "                       attribute, ...), so that scenes can be checked in CI\n"
           "                       (default: off, the scene plays with what could be built)\n"
           "  --quiet              no line for each texture loaded (default: one line each)\n"
           "  --watch              reload the scene when its file or a texture it loads changes\n"
           "                       (checked four times a second; default: off). A reload with\n"
           "                       any problem (a file missing or half written, a texture that\n"
           "                       is no image, ...) keeps the scene on screen and lists the\n"
           "                       problems in the overlay; the summary follows the scene shown\n"
           "  --check              load the scene without a window or display, print its\n"
           "                       problems and exit with the status of --strict (default: off)\n"
           "  --max-component-pixels N   largest component (default 268435456: 16384 x 16384)\n"
           "  --max-components N         most components besides the root, also for cards a\n"
           "                             dispenser makes (default 2000)\n"
           "  --max-scene-pixels N       most pixels of all components together (default 0)\n"
           "  --max-texture-series N     most files of one Textures series (default 9999)\n"
           "  --max-image-bytes N        most bytes of one image's pixels (default 1073741824)\n"
           "                       Each limit skips what lies beyond it, with a message; 0 lifts it.\n"
           "\n"
           "Display wall (one scene over several processes, run under mpirun; see docs/wall.md):\n"
           "  --wall COLSxROWS     columns x rows of tiles, one rank drawing each run of them\n"
           "  --tile WxH           pixels of each tile\n"
           "  --mullion PX         pixels of bezel between tiles (default 0)\n"
           "  --wall FILE          the wall described in FILE instead (tiles, mullions, which\n"
           "                       rank draws which tiles, an operator's view, the time-out)\n"
           "                       Rank 0 owns the input; --screenshot writes each rank's tiles\n"
           "                       and, on rank 0, the whole wall; --stats adds the lockstep's cost.\n"
           "\n"
           "Exit status: 0 on success, 2 on bad input (an unknown option, a malformed script line,\n"
           "a missing or unreadable file, a screenshot or recording that cannot be written, a TUIO\n"
           "port in use), 1 for a scene with problems under --strict or --check and when no window\n"
           "can be opened (no display, also with --fullscreen).\n";
}
