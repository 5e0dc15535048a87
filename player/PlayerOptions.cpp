#include "player/PlayerOptions.h"

#include <algorithm>
#include <charconv>

#include "player/GridView.h"
#include "player/PlayerError.h"

namespace {

constexpr unsigned kLargestSide = 16384;

// The whole text as a decimal number of at most `largest`; false for anything else.
bool parseUnsigned(const std::string& text, unsigned largest, unsigned& value) {
    const char* end = text.data() + text.size();
    unsigned parsed = 0;
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
        } else if (argument == "--no-overlay") {
            options.overlay = false;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw PlayerError("unknown option " + argument + " (see --help)");
        } else if (options.scenePath.empty()) {
            if (argument.empty()) throw PlayerError("the scene file name is empty");
            options.scenePath = argument;
        } else {
            throw PlayerError("more than one scene file: " + options.scenePath + " and " + argument);
        }
    }
    return options;
}

const char* PlayerOptions::usage() {
    return "Usage: dravik-player [SCENE.xml] [--script FILE] [--frames N] [--screenshot FILE.png]\n"
           "                     [--size WxH] [--no-overlay] [--grid NAME] [--summary-at F,F,...]\n"
           "\n"
           "Plays a scene of Dravik strategies in a window: the built-in demo (a friction table\n"
           "with cards to drag, turn and toss) or the scene file given. The left, middle and right\n"
           "mouse buttons are the touches of users 1, 2 and 3; keys go to the component under the\n"
           "pointer; Esc quits.\n"
           "\n"
           "  --script FILE        replay the touch script FILE (see examples/demo.touch)\n"
           "  --frames N           run N frames and exit; time then advances 1/60 s per frame,\n"
           "                       so that runs are reproducible\n"
           "  --screenshot FILE    write the last frame to FILE as a PNG image\n"
           "  --size WxH           window size in pixels (default 1024x768)\n"
           "  --no-overlay         hide the frame rate, memory and component count\n"
           "  --grid NAME          draw the components' grids of one type over the scene: button,\n"
           "                       friction, size, orientation or direction (F2 cycles them)\n"
           "  --summary-at F,F,... print where the components are after each of these frames\n"
           "                       too, as at the end\n"
           "  -h, --help           show this text\n"
           "\n"
           "Exit status: 0 on success, 2 on bad input (an unknown option, a malformed script line,\n"
           "a missing file, a screenshot that cannot be written).\n";
}
