#include "lifecycle/DestructionStrategy.h"

#include <algorithm>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/VisComponent.h"

DestructionStrategy::DestructionStrategy() = default;

DestructionStrategy::~DestructionStrategy() = default;

void DestructionStrategy::process() {
    if (!leftItsBin()) {
        AnimationStrategy::process();
        return;
    }
    animating = false;
    animationParameter = 0.0;
    target = nullptr;
    startedInTarget = false;
    onDestructionCalledOff();
}

bool DestructionStrategy::leftItsBin() const {
    return target != nullptr && startedInTarget && component->getParent() != target;
}

void DestructionStrategy::onDestructionCalledOff() {
    component->scale = startScale;
    std::copy(startColor, startColor + 4, component->color);
}

void DestructionStrategy::onAnimationStart(DravikEvent* event) {
    if (target != nullptr) onDestructionCalledOff();  // a restart begins from the whole component
    startScale = component->scale;
    std::copy(component->color, component->color + 4, startColor);
    target = event->component;
    startedInTarget = target != nullptr && component->getParent() == target;
    targetId = target != nullptr ? target->id : VisComponent::NoComponentId;
    targetInScene = target != nullptr && target->manager != nullptr && target->manager == component->manager;
}

bool DestructionStrategy::targetAlive() const {
    if (!targetInScene) return true;  // a component outside any scene is the caller's to keep
    const DravikManager* scene = component->manager;
    return scene != nullptr && scene->getComponentById(targetId) == target;
}

void DestructionStrategy::onAnimationEnd() {
    if (target == nullptr || !targetAlive()) return;
    const unsigned readyToDie = ConstantProvider::getInstance()->getEventTypeIdentifier("READY_TO_DIE");
    const Point3d& at = component->position;
    DravikEvent report(readyToDie, DravikEvent::NoUserId, at.x, at.y, at.z, component, 1);
    target->onEvent(&report);
}
