#include "wall/WallLayout.h"

#include <charconv>

#include "player/PlayerError.h"
#include "player/PlayerOptions.h"
#include "wall/WallFile.h"

namespace {

constexpr unsigned kLargestDisplay = 32767;  // what OpenGL viewports reach
constexpr unsigned kMostTiles = 4096;

unsigned parseNumber(const std::string& text, const std::string& what, unsigned smallest) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < smallest || value > kLargestDisplay)
        throw PlayerError(what + " expects a whole number from " + std::to_string(smallest) + " to " +
                          std::to_string(kLargestDisplay) + ", not '" + text + "'");
    return value;
}

// "AxB" as two numbers of at least 1.
void parsePair(const std::string& text, const std::string& what, unsigned& a, unsigned& b) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) throw PlayerError(what + " expects AxB, not '" + text + "'");
    a = parseNumber(text.substr(0, x), what, 1);
    b = parseNumber(text.substr(x + 1), what, 1);
}

bool looksLikeShape(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789x") == std::string::npos;
}

}  // namespace

WallLayout WallLayout::fromOptions(const PlayerOptions& options) {
    WallLayout wall;
    if (options.wall.empty()) {
        if (!options.wallTile.empty() || !options.wallMullion.empty())
            throw PlayerError("--tile and --mullion describe a wall: give --wall too");
        return wall;
    }
    if (looksLikeShape(options.wall)) {
        if (options.wallTile.empty()) throw PlayerError("--wall COLSxROWS needs --tile WxH");
        parsePair(options.wall, "--wall", wall.columns, wall.rows);
        parsePair(options.wallTile, "--tile", wall.tileWidth, wall.tileHeight);
        if (!options.wallMullion.empty()) wall.mullionX = wall.mullionY = parseNumber(options.wallMullion, "--mullion", 0);
    } else {
        if (!options.wallTile.empty() || !options.wallMullion.empty())
            throw PlayerError("a wall file gives the tiles and mullions: leave out --tile and --mullion");
        wall = readWallFile(options.wall);
    }
    wall.checkSize();
    return wall;
}

void WallLayout::checkSize() const {
    const unsigned long long width = columns * (tileWidth + 0ULL) + (columns - 1ULL) * mullionX;
    const unsigned long long height = rows * (tileHeight + 0ULL) + (rows - 1ULL) * mullionY;
    if (width > kLargestDisplay || height > kLargestDisplay)
        throw PlayerError("the wall is " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels; at most " + std::to_string(kLargestDisplay) + " each way");
    if (tileCount() > kMostTiles)
        throw PlayerError("the wall has " + std::to_string(tileCount()) + " tiles; at most " +
                          std::to_string(kMostTiles));
}

WallLayout::Tile WallLayout::tile(unsigned number) const {
    const unsigned column = number % columns, row = number / columns;
    return {number, column * (tileWidth + mullionX), (rows - 1 - row) * (tileHeight + mullionY)};
}

unsigned WallLayout::ownerOf(unsigned number, unsigned ranks) const {
    if (!owners.empty()) return owners[number];
    // Runs of consecutive tiles: rank r draws tiles [r * n / ranks, (r + 1) * n / ranks).
    const unsigned long long n = tileCount();
    for (unsigned rank = 0; rank + 1 < ranks; ++rank)
        if (number < (rank + 1ULL) * n / ranks) return rank;
    return ranks - 1;
}

std::vector<WallLayout::Tile> WallLayout::tilesOf(unsigned rank, unsigned ranks) const {
    std::vector<Tile> mine;
    for (unsigned number = 0; number < tileCount(); ++number)
        if (ownerOf(number, ranks) == rank) mine.push_back(tile(number));
    return mine;
}

void WallLayout::checkRanks(unsigned ranks) const {
    for (unsigned number = 0; number < tileCount(); ++number)
        if (ownerOf(number, ranks) >= ranks)
            throw PlayerError("tile " + std::to_string(number) + " belongs to rank " +
                              std::to_string(ownerOf(number, ranks)) + ", but the wall runs " +
                              std::to_string(ranks) + " ranks");
    for (unsigned rank = 0; rank < ranks; ++rank)
        if (tilesOf(rank, ranks).empty() && !(rank == 0 && operatorWidth != 0))
            throw PlayerError("rank " + std::to_string(rank) + " has no tile to draw: the wall has " +
                              std::to_string(tileCount()) + " tiles for " + std::to_string(ranks) + " ranks");
}
