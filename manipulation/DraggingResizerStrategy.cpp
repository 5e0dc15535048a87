#include "manipulation/DraggingResizerStrategy.h"

#include <algorithm>
#include <cmath>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/ResizeGeometry.h"
#include "manipulation/detail/TouchGeometry.h"

DraggingResizerStrategy::~DraggingResizerStrategy() = default;

void DraggingResizerStrategy::rememberPoint(const DravikEvent& event) {
    lastX = truncateToInt(event.x);
    lastY = truncateToInt(event.y);
}

void DraggingResizerStrategy::startDragging(const DravikEvent& event) {
    dragging = true;
    if (component->manager != nullptr) component->manager->claimContact(this, event);
}

void DraggingResizerStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    ConstantProvider* names = ConstantProvider::getInstance();
    if (event->type == names->getEventTypeIdentifier("PRESS")) {
        if (!component->isInside(truncateToUnsigned(event->x), truncateToUnsigned(event->y))) return;
        startDragging(*event);
    } else if (event->type == names->getEventTypeIdentifier("DRAG")) {
        if (!detail::hasFinitePoint(*event)) return;
        if (dragging) {
            const double dx = event->x - lastX, dy = event->y - lastY;
            // The displacement in the component's frame.
            const double s = std::sin(-component->angle), c = std::cos(-component->angle);
            const double lx = c * dx - s * dy, ly = s * dx + c * dy;
            const double width = std::floor(component->width + lx * component->scale.x + 0.5);
            const double height = std::floor(component->height - ly * component->scale.y + 0.5);
            component->width = detail::resizedSide(std::max<double>(minWidth, width), component->width);
            component->height = detail::resizedSide(std::max<double>(minHeight, height), component->height);
            component->position.x += dx * 0.5;
            component->position.y += dy * 0.5;
        }
    } else if (event->type == names->getEventTypeIdentifier("RELEASE") ||
               event->type == names->getEventTypeIdentifier("CANCEL")) {
        if (dragging) component->resizeActiveBuffers();
        dragging = false;
    } else {
        return;
    }
    rememberPoint(*event);
}
