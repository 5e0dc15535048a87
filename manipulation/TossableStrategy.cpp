#include "manipulation/TossableStrategy.h"

#include <cmath>
#include <iostream>

#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/IBufferProxy.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/TouchGeometry.h"

void TossableStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressEventType = names->getEventTypeIdentifier("PRESS");
    dragEventType = names->getEventTypeIdentifier("DRAG");
    releaseEventType = names->getEventTypeIdentifier("RELEASE");
    cancelEventType = names->getEventTypeIdentifier("CANCEL");
    frictionBufferType = names->getBufferTypeIdentifier("FRICTION_BUFFER");
    // The framework connects it to the friction grid of the surface the component lies on.
    component->addPassiveBuffer(new IBufferProxy(frictionBufferType));
}

void TossableStrategy::addCursorPosition(double x, double y) {
    cursorPositions.emplace_back(x, y, 0.0);
    // The first position after an empty history stands for the whole span.
    while (cursorPositions.size() < numberCursorPositions) cursorPositions.emplace_back(x, y, 0.0);
    if (cursorPositions.size() > numberCursorPositions) cursorPositions.pop_front();
    if (cursorPositions.size() != numberCursorPositions)
        std::cout << "TossableStrategy.addCursorPosition(): "
                  << "List of current positions has wrong size! Expected: " << numberCursorPositions
                  << " Actual: " << cursorPositions.size() << "!\n";
}

void TossableStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;

    // When the first two holds of the scene are on one component, the component of
    // identifier 1 is let go and the events of user 1 are not handled.
    if (DravikManager* manager = component->manager) {
        const std::vector<unsigned long>& selected = manager->getSelectedComponentIds();
        if (selected.size() >= 2 && selected[0] == selected[1]) {
            manager->unselectComponent(1);
            if (event->userId == 1) return;
        }
    }

    // A press or drag at a point that is not a number records nothing; a release ends the
    // gesture wherever it was lifted (such a point gives no speed, so it starts no toss).
    if (event->type == cancelEventType) {
        cursorPositions.clear();  // the gesture is another strategy's now: no toss from it
        return;
    }
    if (event->type != releaseEventType && !detail::hasFinitePoint(*event)) return;
    if (event->type == pressEventType) {
        if (!component->isInside(truncateToUnsigned(event->x), truncateToUnsigned(event->y))) return;
        tossing = false;  // caught
        addCursorPosition(event->x, event->y);
    } else if (event->type == dragEventType) {
        addCursorPosition(event->x, event->y);
    } else if (event->type == releaseEventType) {
        // Only a full history (a press or drag since the last release) can start a toss.
        if (cursorPositions.size() == numberCursorPositions) tossing = true;
        addCursorPosition(event->x, event->y);
        const Point3d span = cursorPositions.back() - cursorPositions.front();
        velocityX = span.x;
        velocityY = span.y;
        // Points near the limits of double may differ by more than a double holds.
        if (!isFiniteValue(velocityX) || !isFiniteValue(velocityY)) velocityX = velocityY = 0.0;
        if (staticFrictionCoefficient > std::sqrt(velocityX * velocityX + velocityY * velocityY)) tossing = false;
        cursorPositions.clear();
    }
}

void TossableStrategy::glide(double vx, double vy) {
    if (!isFiniteValue(vx) || !isFiniteValue(vy)) return;
    velocityX = vx;
    velocityY = vy;
    tossing = std::sqrt(vx * vx + vy * vy) >= staticFrictionCoefficient;
    cursorPositions.clear();
}

void TossableStrategy::process() {
    if (!tossing) return;
    const double friction = currentFriction;
    if (!(friction >= 0.0 && friction <= 1.0)) {  // out of range, or not a number
        tossing = false;
        return;
    }
    velocityX *= 1.0 - friction;
    velocityY *= 1.0 - friction;
    if (std::sqrt(velocityX * velocityX + velocityY * velocityY) < tossingCutoff) {
        stopTossing();
        return;
    }
    component->moveBranchBy(velocityX, velocityY, 0.0);
    if (detail::clampToDisplay(*component)) stopTossing();
}

void TossableStrategy::stopTossing() {
    tossing = false;
    if (component->manager != nullptr) component->manager->addToUpdateList(component->id);
}

void TossableStrategy::readFriction() {
    IBufferProxy* proxy = component->getPassiveBufferByType(frictionBufferType);
    IBuffer<double>* grid = proxy != nullptr ? proxy->getBuffer<double>() : nullptr;
    if (grid == nullptr || proxy->owner == nullptr) return;
    unsigned column = 0, row = 0;
    if (!locateBufferCell(*proxy->owner, *grid, component->position.x, component->position.y, column, row)) return;
    currentFriction = grid->rows[row][std::size_t(column) * grid->valuesPerCell];
}

void TossableStrategy::readPassiveBuffers(const std::vector<unsigned>& types) {
    for (unsigned type : types)
        if (type == frictionBufferType) readFriction();
}

void TossableStrategy::readAllPassiveBuffers() { readFriction(); }
