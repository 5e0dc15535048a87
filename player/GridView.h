#ifndef DRAVIK_PLAYER_GRIDVIEW_H
#define DRAVIK_PLAYER_GRIDVIEW_H

#include <string>
#include <vector>

#include "framework/IBuffer.h"

class DravikManager;
class VisComponent;

// A view for scene authors: draws the grids of one type that the scene's components offer
// over the scene, each under its component's position, angle and scale, so that people can
// look at a belt's currents rather than read numbers:
//   "BUTTON_BUFFER": each button area in a colour of its own ("NO_BUTTON" left clear);
//   "FRICTION_BUFFER", "SIZE_BUFFER": shading, brighter for larger values (0 left clear);
//   "ORIENTATION_BUFFER": short white strokes across the belt, the way items turn;
//   "DIRECTION_BUFFER": arrows, as long as eight reads' worth of travel, brighter when
//   faster.
// A line at the bottom left names the grid shown. Drawing needs a projection in display
// pixels (y up) and an identity modelview matrix.
class GridView {
public:
    // The grid types the view cycles through, in this order.
    static const std::vector<std::string>& gridNames();
    // The grid type that a name asks for: one of gridNames(), or its first word in lower
    // case ("button", "friction", "size", "orientation", "direction"); empty when unknown.
    static std::string resolve(const std::string& name);

    // Shows the grids of `gridName` (empty: nothing).
    explicit GridView(std::string gridName = "");
    GridView(const GridView&) = delete;
    GridView& operator=(const GridView&) = delete;
    ~GridView();

    // The next grid type of gridNames(); after the last, none.
    void next();
    const std::string& shown() const { return gridName; }

    void draw(const DravikManager& manager);

private:
    void drawComponent(const VisComponent& component, const IBufferBase& grid);
    void drawAsTexture(const IBufferBase& grid);
    void drawArrows(const IBuffer<double>& grid, bool direction);
    void drawLabel() const;

    std::string gridName;
    unsigned gridType = 0;
    unsigned texture = 0;
    std::vector<unsigned char> pixels;  // RGBA, kept across frames
};

#endif
