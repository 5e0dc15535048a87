#ifndef DRAVIK_MANIPULATION_DETAIL_CELLBLOCKPICKING_H
#define DRAVIK_MANIPULATION_DETAIL_CELLBLOCKPICKING_H

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "framework/IBuffer.h"
#include "framework/VisComponent.h"

namespace detail {

// A block of grid cells: columns [left, right) and rows [bottom, top).
struct CellBlock {
    unsigned left, bottom, right, top;
};

// Sets every cell of the blocks to `value` (a null grid is ignored): buttons that a
// strategy writes into its component's button grid.
inline void fillCellBlocks(IBuffer<unsigned char>* grid, const std::vector<CellBlock>& blocks, unsigned char value) {
    if (grid == nullptr) return;
    for (const CellBlock& b : blocks)
        for (unsigned y = b.bottom; y < b.top; ++y) std::fill(grid->rows[y] + b.left, grid->rows[y] + b.right, value);
}

// Draws the blocks of the component's grid as rectangles in the component's identifier
// colour, in component coordinates (cell = coordinate + half the size): the picking shape
// of buttons that a strategy writes into its component's button grid.
inline void drawCellBlocksForPicking(const VisComponent& component, const std::vector<CellBlock>& blocks) {
    unsigned char rgb[3];
    component.getIdColor(rgb);
    glColor3ubv(rgb);
    const double left = -static_cast<double>(component.width >> 1);
    const double bottom = -static_cast<double>(component.height >> 1);
    for (const CellBlock& b : blocks) glRectd(left + b.left, bottom + b.bottom, left + b.right, bottom + b.top);
}

}  // namespace detail

#endif
