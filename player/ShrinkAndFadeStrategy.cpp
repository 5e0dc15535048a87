#include "player/ShrinkAndFadeStrategy.h"

#include <algorithm>

#include "framework/VisComponent.h"

ShrinkAndFadeStrategy::ShrinkAndFadeStrategy(double seconds) { setAnimationDuration(seconds); }

void ShrinkAndFadeStrategy::performAnimation() {
    const double remaining = 1.0 - std::min(getAnimationParameter(), 1.0);
    const Point3d& start = getStartScale();
    component->scale = Point3d(start.x * remaining, start.y * remaining, start.z);
    component->color[3] = getStartColor()[3] * remaining;
}
