#include "wall/WallScreenshot.h"

#include <algorithm>
#include <stdexcept>

#include "wall/WallViews.h"

void stitchWall(const WallLayout& layout, unsigned ranks, const std::vector<unsigned char>& windows,
                std::vector<unsigned char>& wall) {
    const std::size_t wallRow = std::size_t{3} * layout.displayWidth();
    wall.assign(wallRow * layout.displayHeight(), 0);
    std::size_t windowStart = 0;
    for (unsigned rank = 0; rank < ranks; ++rank) {
        const WallViews views(layout, rank, ranks);
        const std::size_t windowRow = std::size_t{3} * views.windowWidth();
        if (windows.size() - windowStart < windowRow * views.windowHeight())
            throw std::invalid_argument("fewer pixels than the windows of the wall hold");
        for (const WallViews::View& view : views.views()) {
            if (view.overview) continue;
            for (unsigned row = 0; row < view.height; ++row) {
                const auto from = windows.begin() + static_cast<std::ptrdiff_t>(windowStart + row * windowRow +
                                                                                  3 * std::size_t(view.windowX));
                std::copy(from, from + 3 * view.width,
                          wall.begin() + static_cast<std::ptrdiff_t>((view.tile.y + row) * wallRow + 3 * view.tile.x));
            }
        }
        windowStart += windowRow * views.windowHeight();
    }
}
