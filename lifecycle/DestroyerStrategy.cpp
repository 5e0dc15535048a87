#include "lifecycle/DestroyerStrategy.h"

#include <algorithm>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/VisComponent.h"
#include "lifecycle/DestructionStrategy.h"

namespace {

bool hasDestructionStrategy(const VisComponent& c) {
    for (const VisComponentStrategy* s = c.strategy; s != nullptr; s = s->getNext())
        if (dynamic_cast<const DestructionStrategy*>(s) != nullptr) return true;
    return false;
}

// Removes the first occurrence; true when there was one.
bool removeFirst(std::vector<unsigned long>& list, unsigned long id) {
    const auto it = std::find(list.begin(), list.end(), id);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

bool contains(const std::vector<unsigned long>& list, unsigned long id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

}  // namespace

DestroyerStrategy::~DestroyerStrategy() = default;

void DestroyerStrategy::process() {
    forgetDeparted();
    if (component->getChildren().empty()) return;
    children = component->getChildren();
    for (VisComponent* child : children) {
        // A child's strategies may have moved or destroyed a later one while it was started.
        const auto& current = component->getChildren();
        if (std::find(current.begin(), current.end(), child) == current.end()) continue;
        if (!hasDestructionStrategy(*child)) {
            delete child;
        } else if (removeFirst(deadIds, child->id)) {
            removeFirst(startedIds, child->id);
            delete child;
        } else if (!contains(dyingIds, child->id)) {
            startDestruction(child);
        }
    }
    children.clear();
}

void DestroyerStrategy::forgetDeparted() {
    if (startedIds.empty()) return;
    const std::vector<VisComponent*>& current = component->getChildren();
    std::erase_if(startedIds, [&](unsigned long id) {
        if (std::any_of(current.begin(), current.end(), [&](const VisComponent* c) { return c->id == id; }))
            return false;
        removeFirst(dyingIds, id);
        removeFirst(deadIds, id);
        return true;
    });
}

void DestroyerStrategy::startDestruction(VisComponent* child) {
    const unsigned start = ConstantProvider::getInstance()->getEventTypeIdentifier("START_ANIMATION");
    const Point3d& at = component->position;
    DravikEvent event(start, DravikEvent::NoUserId, at.x, at.y, at.z, component, 1);
    const unsigned long id = child->id;
    child->onEvent(&event);
    record(dyingIds, id);
    startedIds.push_back(id);
}

void DestroyerStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || event->component == nullptr ||
        event->type != ConstantProvider::getInstance()->getEventTypeIdentifier("READY_TO_DIE"))
        return;
    const unsigned long id = event->component->id;
    removeFirst(dyingIds, id);
    record(deadIds, id);
}

void DestroyerStrategy::record(std::vector<unsigned long>& list, unsigned long id) const {
    if (const DravikManager* scene = component->manager) {
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](unsigned long kept) { return scene->getComponentById(kept) == nullptr; }),
                   list.end());
    }
    list.push_back(id);
}
