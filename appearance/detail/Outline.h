#ifndef DRAVIK_APPEARANCE_DETAIL_OUTLINE_H
#define DRAVIK_APPEARANCE_DETAIL_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/VisComponentStrategy.h"

class VisComponent;

// Pieces that the border strategies share: the rectangle loop, drawing an outline list in a
// colour and width, the selection test and the sizes and radius that decide rebuilds.
namespace detail {

// A line width or band width that can be drawn: a positive number.
inline bool isDrawableWidth(double width) { return std::isfinite(width) && width > 0.0; }

inline bool isSelected(const std::vector<unsigned long>& selectedIds, unsigned long id) {
    return std::find(selectedIds.begin(), selectedIds.end(), id) != selectedIds.end();
}

// Half of a component's width or height, the unsigned value converted without sign.
inline double half(std::uint32_t extent) { return static_cast<double>(extent) * 0.5; }

// Radius of a round outline: the smaller half extent times the component's scale along that
// axis.
double roundRadius(const VisComponent& component);

// A scale that is not a number differs from everything, so that it never passes for the one
// a list was built at.
inline bool scaleDiffers(double scale, double listScale) { return !(scale == listScale); }

// Compiles a GL_LINE_LOOP through (-hw, -hh), (hw, -hh), (hw, hh), (-hw, hh), smoothed.
void compileRectangleLoop(std::uint32_t list, double halfWidth, double halfHeight);

// Draws `list` with the line width and the colour, whose alpha is multiplied by the
// component's alpha. An outline whose width cannot be drawn is left out.
void drawOutlineList(std::uint32_t list, const double* rgba, double width, double componentAlpha);

// Compiles into `list` (named first if it is 0) a filled polygon of `segments` corners on
// the circle of `radius`: the picking shape of round outlines.
void compileDisc(std::uint32_t& list, double radius, std::uint32_t segments);

// Calls a list of geometry without colour in the component's identifier colour.
void callInIdColor(const VisComponent& component, std::uint32_t list);

// Grows `bounds` to hold the circle of `radius` about the origin.
void extendToCircle(LocalBounds& bounds, double radius);

}  // namespace detail

#endif
