#include "player/PlayerOptions.h"

#include <charconv>
#include <limits>

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
        } else if (argument == "--no-overlay") {
            options.overlay = false;
        } else if (argument == "--strict") {
            options.strict = true;
        } else if (argument == "--quiet") {
            options.quiet = true;
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
    return options;
}

const char* PlayerOptions::usage() {
    return "Usage: dravik-player [SCENE.xml] [--script FILE] [--frames N] [--screenshot FILE.png]\n"
           "                     [--size WxH] [--no-overlay]\n"
           "                     [--strict] [--quiet] [--max-LIMIT N]\n"
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
           "  -h, --help           show this text\n"
           "\n"
           "Scene files (problems go to standard error, one line each, with file and line):\n"
           "  --strict             stop with exit status 1 once the scene is loaded if it had\n"
           "                       problems (an unknown strategy, a missing texture, a bad\n"
           "                       attribute, ...), so that scenes can be checked in CI\n"
           "  --quiet              no line for each texture loaded\n"
           "  --max-component-pixels N   largest component (default 268435456: 16384 x 16384)\n"
           "  --max-components N         most components besides the root (default 1000000)\n"
           "  --max-scene-pixels N       most pixels of all components together (default 0)\n"
           "  --max-texture-series N     most files of one Textures series (default 9999)\n"
           "  --max-image-bytes N        most bytes of one image's pixels (default 1073741824)\n"
           "                       Each limit skips what lies beyond it, with a message; 0 lifts it.\n"
           "\n"
           "Exit status: 0 on success, 2 on bad input (an unknown option, a malformed script line,\n"
           "a missing or unreadable file, a screenshot that cannot be written), 1 for a scene with\n"
           "problems under --strict.\n";
}
