#include "lifecycle/DestructionStrategy.h"

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/VisComponent.h"

DestructionStrategy::DestructionStrategy() = default;

DestructionStrategy::~DestructionStrategy() = default;

void DestructionStrategy::onAnimationStart(DravikEvent* event) {
    target = event->component;
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
