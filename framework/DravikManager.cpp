#include "framework/DravikManager.h"

#include <algorithm>
#include <cmath>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/FrameTimer.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "framework/detail/PickingIndex.h"

DravikManager::DravikManager(FrameTimer* timer, unsigned touchIndicatorCount)
    : frameTimer(timer), touchIndicatorCount(touchIndicatorCount),
      pickingIndex(std::make_unique<detail::PickingIndex>()) {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressEventType = names->getEventTypeIdentifier("PRESS");
    dragEventType = names->getEventTypeIdentifier("DRAG");
    releaseEventType = names->getEventTypeIdentifier("RELEASE");
    cancelEventType = names->getEventTypeIdentifier("CANCEL");
}

DravikManager::~DravikManager() {
    // Components are deleted without telling the manager: it is going away.
    for (auto& entry : componentsById) entry.second->manager = nullptr;
    for (VisComponent* c : touchIndicators)
        if (c != nullptr) c->manager = nullptr;
    std::vector<VisComponent*> doomed;
    doomed.swap(components);
    for (VisComponent* c : doomed) delete c;
    delete rootComponent;
    for (VisComponent* c : touchIndicators) delete c;
}

void DravikManager::initialize() {
    initTouchIndicators();
    initComponents();
}

void DravikManager::resize(unsigned width, unsigned height) {
    displayWidth = width;
    displayHeight = height;
    pickingAreaStale = true;
}

void DravikManager::registerTree(VisComponent* top) {
    top->drawStamp = top == rootComponent ? 0 : ++drawStamps;
    std::vector<VisComponent*> pending{top};
    while (!pending.empty()) {
        VisComponent* c = pending.back();
        pending.pop_back();
        if (c->manager != nullptr && c->manager != this) c->manager->forgetComponent(c);
        c->manager = this;
        componentsById[c->id] = c;
        c->initPropertiesComponent();
        c->connectPassiveBuffers();
        if (c->pickingSlot == detail::PickingIndex::NoSlot) c->pickingSlot = pickingIndex->add(c);
        else pickingIndex->refresh(c->pickingSlot);
        for (VisComponent* child : c->children) child->drawStamp = ++drawStamps;  // back to front
        pending.insert(pending.end(), c->children.begin(), c->children.end());
    }
}

bool DravikManager::addComponent(VisComponent* component) {
    if (component == nullptr || component->manager != nullptr || component->parent != nullptr) return false;
    adoptRoot();
    components.push_back(component);
    registerTree(component);
    return true;
}

void DravikManager::setRootComponent(VisComponent* component) {
    if (component == rootComponent) return;
    delete rootComponent;
    rootComponent = component;
    adoptRoot();
}

// The root may have been assigned to the field directly; take it in on first use.
void DravikManager::adoptRoot() {
    if (rootComponent == nullptr || rootComponent->manager == this) return;
    registerTree(rootComponent);
    for (VisComponent* c : components) c->connectPassiveBuffers();
}

void DravikManager::forgetComponent(VisComponent* component) {
    ++structureChanges;
    componentsById.erase(component->id);
    if (component->pickingSlot != detail::PickingIndex::NoSlot) {
        pickingIndex->remove(component->pickingSlot);
        component->pickingSlot = detail::PickingIndex::NoSlot;
    }
    components.erase(std::remove(components.begin(), components.end(), component), components.end());
    if (component == rootComponent) {
        rootComponent = nullptr;
        for (VisComponent* c : components) c->connectPassiveBuffers();
    }
    for (std::size_t i = holds.size(); i-- > 0;)
        if (holds[i].component == component) releaseHold(i);
    std::replace(touchTargets.begin(), touchTargets.end(), component, static_cast<VisComponent*>(nullptr));
    std::replace(touchIndicators.begin(), touchIndicators.end(), component, static_cast<VisComponent*>(nullptr));
}

void DravikManager::releaseHold(std::size_t index) {
    holds.erase(holds.begin() + static_cast<std::ptrdiff_t>(index));
    refreshSelection();
}

VisComponent* DravikManager::getComponentById(unsigned long id) const {
    auto it = componentsById.find(id);
    return it == componentsById.end() ? nullptr : it->second;
}

void DravikManager::processEvent(DravikEvent* event, VisComponent* component) {
    if (event == nullptr) return;
    if (component != nullptr) {
        componentMoved(component);
        component->onEvent(event);
        return;
    }
    routeEvent(event);
}

void DravikManager::showTouch(const DravikEvent* event, VisComponent* target) {
    if (event->userId == 0 || event->userId > touchIndicators.size()) return;
    const std::size_t index = event->userId - 1;
    if (touchTargets.size() < touchIndicators.size()) touchTargets.resize(touchIndicators.size(), nullptr);
    touchTargets[index] = event->type == releaseEventType ? nullptr : target;
    VisComponent* indicator = touchIndicators[index];
    if (indicator == nullptr || !isFiniteValue(event->x) || !isFiniteValue(event->y)) return;
    if (indicator->manager != this) indicator->manager = this;
    indicator->initPropertiesComponent();
    indicator->onEvent(const_cast<DravikEvent*>(event));
}

void DravikManager::addToUpdateList(unsigned long id) {
    if (std::find(updateList.begin(), updateList.end(), id) == updateList.end()) updateList.push_back(id);
}

void DravikManager::unselectComponent(unsigned long id) {
    for (std::size_t i = holds.size(); i-- > 0;)
        if (holds[i].component->id == id) releaseHold(i);
}

void DravikManager::replaceSelectedID(unsigned long oldId, unsigned long newId) {
    VisComponent* replacement = getComponentById(newId);
    for (std::size_t i = holds.size(); i-- > 0;) {
        Hold& hold = holds[i];
        if (hold.component->id != oldId) continue;
        if (replacement == nullptr) {
            releaseHold(i);
            continue;
        }
        hold.component = replacement;
        hold.claimant = nullptr;  // claimed by a strategy of the old component
        hold.followed = false;
        const std::size_t indicator = hold.userId - 1;  // users count from 1
        if (indicator < touchTargets.size()) touchTargets[indicator] = replacement;
    }
    // On the new component, each user's first contact is followed.
    for (Hold& hold : holds)
        if (hold.component == replacement && isOneTouchFree(hold.userId, replacement)) hold.followed = true;
    refreshSelection();
}

void DravikManager::collectDrawingOrder(std::vector<VisComponent*>& out, bool drawRoot,
                                        bool containersOnly, const VisComponent* excluded) const {
    out.clear();
    std::vector<VisComponent*> pending;
    auto addBranch = [&](VisComponent* top) {
        pending.push_back(top);
        while (!pending.empty()) {
            VisComponent* c = pending.back();
            pending.pop_back();
            if (c == excluded || (containersOnly && c->leaf)) continue;  // leaves hold nothing
            if (!containersOnly || c->isContainerFor(excluded)) out.push_back(c);
            // Reverse push: children come out back to front.
            for (auto it = c->children.rbegin(); it != c->children.rend(); ++it) pending.push_back(*it);
        }
    };
    if (drawRoot && rootComponent != nullptr) addBranch(rootComponent);
    for (VisComponent* c : components) addBranch(c);
}

void DravikManager::runFrame() {
    if (frameTimer != nullptr) {
        if (frameTimerStarted) {
            frameTimer->end();
            frameRate = frameTimer->calculateFrameRate();
        }
        frameTimer->start();
        frameTimerStarted = true;
    }
    processComponents();
    readPassiveBuffers();
    renderAll(false, true, false);
}

void DravikManager::processComponents() {
    adoptRoot();
    collectDrawingOrder(frameOrder, true, false, nullptr);
    for (VisComponent* c : touchIndicators)
        if (c != nullptr) frameOrder.push_back(c);
    frameIds.clear();
    for (VisComponent* c : frameOrder) frameIds.push_back(c->id);

    const double time = frameTimer != nullptr ? frameTimer->getCurrentTime() : 0.0;
    const unsigned long changesBefore = structureChanges;
    for (std::size_t i = 0; i < frameOrder.size(); ++i) {
        // A strategy may destroy components during the pass: skip those that are gone.
        if (structureChanges != changesBefore && getComponentById(frameIds[i]) != frameOrder[i] &&
            std::find(touchIndicators.begin(), touchIndicators.end(), frameOrder[i]) == touchIndicators.end())
            continue;
        frameOrder[i]->animate(time);
    }
    everythingMoved = true;  // checked by the drops below, or at the end of the frame

    std::vector<unsigned long> pending;
    pending.swap(updateList);
    for (unsigned long id : pending)
        if (VisComponent* c = getComponentById(id)) c->drop(true);
}

void DravikManager::readPassiveBuffers() {
    collectDrawingOrder(frameOrder, true, false, nullptr);
    for (VisComponent* c : frameOrder)
        if (c->hasConnectedPassiveBuffers()) c->readAllPassiveBuffers();
    // The last pass of a frame that moves components: the picks until the next frame find
    // the index up to date, unless events move components.
    everythingMoved = true;
    syncPickingIndex();
}

void DravikManager::renderList(const std::vector<VisComponent*>& list, bool picking) {
    for (VisComponent* c : list) {
        if (picking) c->renderForPicking();
        else c->render(selectedIds);
    }
}

void DravikManager::renderAll(bool picking, bool drawRoot, bool containersOnly) {
    renderOtherContainers(VisComponent::NoComponentId, picking, drawRoot, containersOnly);
}

void DravikManager::renderOtherContainers(unsigned long excluded, bool picking, bool drawRoot,
                                          bool containersOnly) {
    adoptRoot();
    collectDrawingOrder(drawOrder, drawRoot, containersOnly, getComponentById(excluded));
    renderList(drawOrder, picking);
    if (picking) return;
    for (VisComponent* c : touchIndicators)
        if (c != nullptr) c->render(selectedIds);
}

void DravikManager::renderForPickingAt(unsigned x, unsigned y, unsigned long excluded, bool drawRoot,
                                       bool containersOnly) {
    adoptRoot();
    syncPickingIndex();
    const VisComponent* skipped = getComponentById(excluded);
    const double px = x + 0.5, py = y + 0.5;  // the pixel's centre
    pickCandidates.clear();
    pickingIndex->collect(px, py, pickCandidates);
    pickPaths.clear();
    pickSpans.clear();
    for (VisComponent* c : pickCandidates) {
        const std::size_t begin = pickPaths.size();
        if (!appendDrawingPath(c, skipped, drawRoot, containersOnly)) continue;
        if (!detail::PickingIndex::mayCover(*c, px, py)) {
            pickPaths.resize(begin);
            continue;
        }
        pickSpans.push_back({begin, pickPaths.size(), c});
    }
    // Back to front, as renderOtherContainers draws them: a parent before its children (a
    // path before the paths it begins), siblings by stamp.
    std::sort(pickSpans.begin(), pickSpans.end(), [this](const PickSpan& a, const PickSpan& b) {
        return std::lexicographical_compare(pickPaths.begin() + static_cast<std::ptrdiff_t>(a.begin),
                                            pickPaths.begin() + static_cast<std::ptrdiff_t>(a.end),
                                            pickPaths.begin() + static_cast<std::ptrdiff_t>(b.begin),
                                            pickPaths.begin() + static_cast<std::ptrdiff_t>(b.end));
    });
    for (const PickSpan& span : pickSpans) span.component->renderForPicking();
}

bool DravikManager::appendDrawingPath(const VisComponent* component, const VisComponent* excluded, bool drawRoot,
                                      bool containersOnly) {
    if (containersOnly && !component->isContainerFor(excluded)) return false;
    const std::size_t begin = pickPaths.size();
    const VisComponent* top = component;
    for (const VisComponent* c = component; c != nullptr; c = c->getParent()) {
        // Left out with the branch of an excluded component or, for containers, of a leaf.
        if (c == excluded || (containersOnly && c->leaf)) {
            pickPaths.resize(begin);
            return false;
        }
        pickPaths.push_back(c->drawStamp);
        top = c;
    }
    if (top->manager != this || (top == rootComponent && !drawRoot)) {
        pickPaths.resize(begin);
        return false;
    }
    std::reverse(pickPaths.begin() + static_cast<std::ptrdiff_t>(begin), pickPaths.end());
    return true;
}

void DravikManager::placedInFront(VisComponent* component) {
    component->drawStamp = ++drawStamps;
    componentMoved(component);
}

void DravikManager::componentMoved(const VisComponent* component) {
    if (component == nullptr) {
        everythingMoved = true;
        return;
    }
    if (component->manager != this) return;
    while (component->getParent() != nullptr) component = component->getParent();
    if (std::find(movedBranches.begin(), movedBranches.end(), component->id) == movedBranches.end())
        movedBranches.push_back(component->id);
}

void DravikManager::syncPickingIndex() {
    if (pickingAreaStale) {
        pickingIndex->setArea(displayWidth, displayHeight);
        pickingAreaStale = everythingMoved = false;
    } else if (everythingMoved) {
        pickingIndex->refreshAll();
        everythingMoved = false;
    } else {
        for (unsigned long id : movedBranches) {
            VisComponent* top = getComponentById(id);
            if (top == nullptr) continue;
            pickCandidates.assign(1, top);  // as a stack of the branch's components
            while (!pickCandidates.empty()) {
                VisComponent* c = pickCandidates.back();
                pickCandidates.pop_back();
                if (c->pickingSlot != detail::PickingIndex::NoSlot) pickingIndex->refresh(c->pickingSlot);
                pickCandidates.insert(pickCandidates.end(), c->children.begin(), c->children.end());
            }
        }
    }
    movedBranches.clear();
}

unsigned DravikManager::getNumberComponents() const {
    std::size_t n = componentsById.size();
    if (rootComponent != nullptr && rootComponent->manager == this) --n;
    return static_cast<unsigned>(n);
}

double DravikManager::getBuffersMemorySizeKBytes() const {
    std::size_t bytes = 0;
    for (const auto& entry : componentsById) bytes += entry.second->getActiveBuffersMemorySize();
    return static_cast<double>(bytes) / 1024.0;
}

unsigned long DravikManager::findComponentAt(double x, double y) {
    const unsigned px = truncateToUnsigned(x), py = truncateToUnsigned(y);
    collectDrawingOrder(pickOrder, true, false, nullptr);
    for (auto it = pickOrder.rbegin(); it != pickOrder.rend(); ++it)
        if ((*it)->isInside(px, py)) return (*it)->id;
    return VisComponent::NoComponentId;
}

unsigned long DravikManager::findContainerAt(double x, double y, const VisComponent* dropped) {
    const unsigned px = truncateToUnsigned(x), py = truncateToUnsigned(y);
    collectDrawingOrder(pickOrder, false, true, dropped);
    for (auto it = pickOrder.rbegin(); it != pickOrder.rend(); ++it)
        if ((*it)->isInside(px, py)) return (*it)->id;
    return VisComponent::NoComponentId;
}
