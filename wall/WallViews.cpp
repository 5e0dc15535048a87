#include "wall/WallViews.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

WallViews::WallViews(const WallLayout& layout, unsigned rank, unsigned ranks)
    : displayWidth(layout.displayWidth()), displayHeight(layout.displayHeight()) {
    for (const WallLayout::Tile& tile : layout.tilesOf(rank, ranks)) {
        View view;
        view.windowX = static_cast<int>(width);
        view.width = layout.tileWidth;
        view.height = layout.tileHeight;
        view.tile = tile;
        list.push_back(view);
        width += view.width;
    }
    if (rank == 0 && layout.operatorWidth != 0) {
        View view;
        view.windowX = static_cast<int>(width);
        view.width = layout.operatorWidth;
        view.height = std::max(1u, static_cast<unsigned>(std::lround(double(layout.operatorWidth) * displayHeight /
                                                                     displayWidth)));
        view.overview = true;
        list.push_back(view);
        width += view.width;
    }
    for (const View& view : list) height = std::max(height, view.height);
}

void WallViews::apply(const View& view) const {
    if (view.overview) {
        glViewport(view.windowX, 0, static_cast<GLsizei>(view.width), static_cast<GLsizei>(view.height));
    } else {
        // The display's own viewport, moved so that the tile's corner lands on the view's.
        glViewport(view.windowX - static_cast<int>(view.tile.x), -static_cast<int>(view.tile.y),
                   static_cast<GLsizei>(displayWidth), static_cast<GLsizei>(displayHeight));
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(view.windowX, 0, static_cast<GLsizei>(view.width), static_cast<GLsizei>(view.height));
}

void WallViews::toDisplayWindow(int& x, int& y) const {
    if (list.empty()) return;
    const View* view = &list.front();
    for (const View& v : list)
        if (x >= v.windowX) view = &v;
    const double fromLeft = x - view->windowX;
    const double fromBottom = static_cast<double>(height) - 1.0 - y;  // the window's y is down
    double dx, dy;
    if (view->overview) {
        dx = (fromLeft + 0.5) * displayWidth / view->width - 0.5;
        dy = (fromBottom + 0.5) * displayHeight / view->height - 0.5;
    } else {
        dx = view->tile.x + fromLeft;
        dy = view->tile.y + fromBottom;
    }
    x = static_cast<int>(std::lround(dx));
    y = static_cast<int>(std::lround(displayHeight - 1.0 - dy));
}
