#include "wall/WallFile.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "player/PlayerError.h"

namespace {

constexpr unsigned kLargest = 32767;

bool toNumber(const std::string& text, unsigned& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value <= kLargest;
}

bool toPair(const std::string& text, unsigned& a, unsigned& b) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && toNumber(text.substr(0, x), a) && toNumber(text.substr(x + 1), b) && a != 0 &&
           b != 0;
}

}  // namespace

WallLayout readWallFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw PlayerError("cannot read wall file " + path);
    return parseWallFile(in, path);
}

WallLayout parseWallFile(std::istream& in, const std::string& name) {
    WallLayout wall;
    std::vector<std::pair<unsigned, unsigned>> draws;  // (tile, rank)
    std::string text;
    for (std::size_t number = 1; std::getline(in, text); ++number) {
        auto fail = [&](const std::string& why) { throw PlayerError(name + ":" + std::to_string(number) + ": " + why); };
        std::istringstream fields(text.substr(0, text.find('#')));
        std::vector<std::string> words;
        for (std::string word; fields >> word;) words.push_back(word);
        if (words.empty()) continue;
        const std::string& key = words[0];
        const std::size_t values = words.size() - 1;
        if (key == "wall") {
            if (values != 1 || !toPair(words[1], wall.columns, wall.rows)) fail("wall expects COLSxROWS");
        } else if (key == "tile") {
            if (values != 1 || !toPair(words[1], wall.tileWidth, wall.tileHeight)) fail("tile expects WxH in pixels");
        } else if (key == "mullion") {
            if (values < 1 || values > 2 || !toNumber(words[1], wall.mullionX) ||
                !toNumber(words[values], wall.mullionY))
                fail("mullion expects one or two numbers of pixels");
        } else if (key == "rank") {
            unsigned rank = 0, tile = 0;
            if (values < 3 || !toNumber(words[1], rank) || words[2] != "draws") fail("expected: rank R draws T ...");
            for (std::size_t i = 3; i < words.size(); ++i) {
                if (!toNumber(words[i], tile)) fail("'" + words[i] + "' is not a tile number");
                draws.emplace_back(tile, rank);
            }
        } else if (key == "operator-view") {
            if (values != 1 || !toNumber(words[1], wall.operatorWidth) || wall.operatorWidth == 0)
                fail("operator-view expects a width in pixels");
        } else if (key == "timeout") {
            double seconds = 0.0;
            if (values != 1 || !(std::istringstream(words[1]) >> seconds) || !std::isfinite(seconds) ||
                seconds <= 0.0 || seconds > 3600.0)
                fail("timeout expects seconds, more than 0 and at most 3600");
            wall.timeoutSeconds = seconds;
        } else {
            fail("unknown setting '" + key + "'");
        }
    }
    if (wall.columns == 0 || wall.tileWidth == 0) throw PlayerError(name + ": a wall file needs 'wall' and 'tile'");
    wall.checkSize();
    if (!draws.empty()) {
        constexpr unsigned kUnowned = ~0u;
        wall.owners.assign(wall.tileCount(), kUnowned);
        for (const auto& [tile, rank] : draws) {
            if (tile >= wall.tileCount() || wall.owners[tile] != kUnowned)
                throw PlayerError(name + ": tile " + std::to_string(tile) + " is not a tile of the wall or is named twice");
            wall.owners[tile] = rank;
        }
        for (unsigned tile = 0; tile < wall.tileCount(); ++tile)
            if (wall.owners[tile] == kUnowned)
                throw PlayerError(name + ": no rank draws tile " + std::to_string(tile));
    }
    return wall;
}
