#ifndef DRAVIK_WALL_WALLVIEWS_H
#define DRAVIK_WALL_WALLVIEWS_H

#include <vector>

#include "wall/WallLayout.h"

// The views in the window of one rank, side by side from the left, bottom-aligned: each of
// its tiles at full size, then, on rank 0 of a wall that asks for one, the operator's view of
// the whole wall scaled down. Every view draws the whole display through the display's
// projection; only its viewport differs, moved (a tile) or scaled (the operator's view), so
// that every rank rasterises the scene as one window showing all of it would.
class WallViews {
public:
    struct View {
        int windowX = 0;        // left edge in the window
        unsigned width = 0;     // in the window
        unsigned height = 0;
        bool overview = false;  // the whole wall, scaled
        WallLayout::Tile tile;  // of a tile view
    };

    WallViews(const WallLayout& layout, unsigned rank, unsigned ranks);

    const std::vector<View>& views() const { return list; }
    unsigned windowWidth() const { return width; }
    unsigned windowHeight() const { return height; }
    // Sets the OpenGL viewport and scissor box of the view.
    void apply(const View& view) const;
    // A point of the window (pixels, y down) as a point of the display (pixels, y down): the
    // view under it, or the nearest one, says where.
    void toDisplayWindow(int& x, int& y) const;

private:
    std::vector<View> list;
    unsigned displayWidth;
    unsigned displayHeight;
    unsigned width = 0;
    unsigned height = 0;
};

#endif
