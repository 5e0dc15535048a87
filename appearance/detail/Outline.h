#ifndef DRAVIK_APPEARANCE_DETAIL_OUTLINE_H
#define DRAVIK_APPEARANCE_DETAIL_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

class DisplayList;
class VisComponent;
struct LocalBounds;

// Pieces that the border strategies share: the rectangle loop, drawing an outline list in a
// colour and width, the selection test, half extents and round picking shapes.
namespace detail {

// A line width or band width that can be drawn: a positive number.
inline bool isDrawableWidth(double width) { return std::isfinite(width) && width > 0.0; }

inline bool isSelected(const std::vector<unsigned long>& selectedIds, unsigned long id) {
    return std::find(selectedIds.begin(), selectedIds.end(), id) != selectedIds.end();
}

// Half of a component's width or height, the unsigned value converted without sign.
inline double half(std::uint32_t extent) { return static_cast<double>(extent) * 0.5; }

// Compiles a GL_LINE_LOOP through (-hw, -hh), (hw, -hh), (hw, hh), (-hw, hh), smoothed.
void compileRectangleLoop(DisplayList& list, double halfWidth, double halfHeight);

// Draws `list` with the line width and the colour, whose alpha is multiplied by the
// component's alpha; both stay set. An outline whose width cannot be drawn is left out.
void drawOutlineList(const DisplayList& list, const double* rgba, double width, double componentAlpha);

// Calls a list of geometry without colour in the component's identifier colour.
void callInIdColor(const VisComponent& component, const DisplayList& list);

// Grows `bounds` to hold the circle of `radius` about the origin.
void extendToCircle(LocalBounds& bounds, double radius);

}  // namespace detail

#endif
