#include "player/ShrinkAndFadeStrategy.h"

#include <algorithm>

#include "framework/VisComponent.h"

ShrinkAndFadeStrategy::ShrinkAndFadeStrategy(double seconds) { setAnimationDuration(seconds); }

void ShrinkAndFadeStrategy::onAnimationStart(DravikEvent* event) {
    DestructionStrategy::onAnimationStart(event);  // remembers the bin to report to
    startScale = component->scale;
    startAlpha = component->color[3];
}

void ShrinkAndFadeStrategy::performAnimation() {
    const double remaining = 1.0 - std::min(getAnimationParameter(), 1.0);
    component->scale = Point3d(startScale.x * remaining, startScale.y * remaining, startScale.z);
    component->color[3] = startAlpha * remaining;
}
