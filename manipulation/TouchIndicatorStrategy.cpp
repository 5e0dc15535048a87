#include "manipulation/TouchIndicatorStrategy.h"

#include "framework/DravikEvent.h"
#include "framework/VisComponent.h"

TouchIndicatorStrategy::~TouchIndicatorStrategy() = default;

void TouchIndicatorStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || component == nullptr) return;
    // Set directly rather than moved: the marker has no subtree to carry along.
    component->position.x = event->x;
    component->position.y = event->y;
}
