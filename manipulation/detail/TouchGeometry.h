#ifndef DRAVIK_MANIPULATION_DETAIL_TOUCHGEOMETRY_H
#define DRAVIK_MANIPULATION_DETAIL_TOUCHGEOMETRY_H

#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

// Helpers that the manipulation strategies share.
namespace detail {

// Touch hardware may deliver points that are not numbers; the manipulation strategies ignore
// them as the manager does, so that nothing derived from them reaches a position.
inline bool hasFinitePoint(const DravikEvent& event) {
    return isFiniteValue(event.x) && isFiniteValue(event.y);
}

// Pulls the component's own position back onto the display of its manager, each coordinate on
// its own (below 0 to 0, at or beyond the size to size - 1), writing it directly. True when
// the position had to be pulled back; a component outside any scene has no display to leave.
inline bool clampToDisplay(VisComponent& component) {
    if (component.manager == nullptr) return false;
    const double width = component.manager->displayWidth;
    const double height = component.manager->displayHeight;
    Point3d& position = component.position;
    if (position.x >= 0.0 && position.x < width && position.y >= 0.0 && position.y < height) return false;
    if (position.x < 0.0) position.x = 0.0;
    else if (position.x >= width) position.x = width - 1.0;
    if (position.y < 0.0) position.y = 0.0;
    else if (position.y >= height) position.y = height - 1.0;
    return true;
}

}  // namespace detail

#endif
