#include "manipulation/RNTStrategy.h"

#include <cmath>

#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/TouchGeometry.h"

namespace {
constexpr double kFullTurn = 6.283185307179586;
}

void RNTStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressEventType = names->getEventTypeIdentifier("PRESS");
    dragEventType = names->getEventTypeIdentifier("DRAG");
    releaseEventType = names->getEventTypeIdentifier("RELEASE");
    cancelEventType = names->getEventTypeIdentifier("CANCEL");
    buttonBufferType = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    rntAreaValue = static_cast<unsigned char>(names->getButtonBufferValue("RNT_AREA"));
    noButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON"));
}

void RNTStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;

    if (event->type == pressEventType) {
        if (grabbed || !detail::hasFinitePoint(*event) || !component->isInside(truncateToUnsigned(event->x), truncateToUnsigned(event->y))) return;
        grabbed = true;
        userId = event->userId;
        // A refused press still holds the component for this user until the release.
        if (!activateRNT(event->getCoords())) return;
        rntActive = true;
    } else if (event->type == dragEventType) {
        if (!grabbed || event->userId != userId || !rntActive || !detail::hasFinitePoint(*event)) return;
        applyRNT(event->x, event->y);
    } else if (event->type == releaseEventType || event->type == cancelEventType) {
        if (!grabbed || event->userId != userId) return;
        grabbed = false;
        if (!rntActive) return;
        rntActive = false;
    } else {
        return;
    }
    lastX = event->x;
    lastY = event->y;
}

bool RNTStrategy::applyRNT(double x, double y) {
    const double cx = component->position.x, cy = component->position.y;
    const double px = lastX - cx, py = lastY - cy;
    const double qx = x - cx, qy = y - cy;
    const double previousDistance = std::sqrt(px * px + py * py);
    const double currentDistance = std::sqrt(qx * qx + qy * qy);

    // The direction of a point on the centre counts as 0 (atan2 of a zero vector), so a drag
    // that starts or ends on the centre turns the component too.
    double turn = std::atan2(qy, qx) - std::atan2(py, px);
    const double angle = component->angle + turn;
    if (angle > kFullTurn) turn -= kFullTurn;
    else if (angle < 0.0) turn += kFullTurn;
    // Along q, by the change of distance: the touch point ends |p| from the new centre. A point
    // on the centre gives no line to move along, so the component then only turns.
    if (currentDistance > 0.0) {
        const double along = (currentDistance - previousDistance) / currentDistance;
        component->moveBranchBy(qx * along, qy * along, 0.0);
    }
    component->rotateBranch(turn);
    return detail::clampToDisplay(*component);
}

bool RNTStrategy::activateRNT(const Point3d& point) {
    return getButtonValue(truncateToUnsigned(point.x), truncateToUnsigned(point.y)) == rntAreaValue;
}

unsigned char RNTStrategy::getButtonValue(unsigned x, unsigned y) {
    unsigned char value = noButtonValue;
    readActiveBufferCell(component, buttonBufferType, x, y, &value);
    return value;
}
