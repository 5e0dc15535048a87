#ifndef DRAVIK_MANIPULATION_DETAIL_RESIZEGEOMETRY_H
#define DRAVIK_MANIPULATION_DETAIL_RESIZEGEOMETRY_H

#include <algorithm>

#include "framework/SafeNumbers.h"

namespace detail {

// A resize drag never makes a side longer than this (the largest texture of common OpenGL
// drivers), unless the side already was, so that the grids that follow the size at the
// release stay allocatable.
constexpr double kLargestResizedSide = 16384.0;

// The component side for a length that a resize computed: truncated toward zero, at least 1
// pixel (a component of no size could never be touched again), at most the larger of
// kLargestResizedSide and the current side; a length that is not a number keeps the side.
inline unsigned resizedSide(double length, unsigned current) {
    if (!isFiniteValue(length)) return current;
    const double largest = std::max(kLargestResizedSide, static_cast<double>(current));
    return static_cast<unsigned>(std::clamp(length, 1.0, largest));
}

}  // namespace detail

#endif
