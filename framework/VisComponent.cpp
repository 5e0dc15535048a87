#include "framework/VisComponent.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "framework/DravikManager.h"
#include "framework/SafeNumbers.h"

namespace {

// Identifiers double as picking colours (24 bits); 0 is black, "no component".
constexpr unsigned long kLargestId = 0xFFFFFFul;
unsigned long nextComponentId = 1;

void removeFrom(std::vector<VisComponent*>& list, const VisComponent* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// Visits the component and its subtree, parents before children, without recursion.
template <class Fn>
void forEachInBranch(VisComponent* top, Fn&& fn) {
    if (top->getChildren().empty()) {  // the common case: no allocation
        fn(*top);
        return;
    }
    std::vector<VisComponent*> pending{top};
    while (!pending.empty()) {
        VisComponent* c = pending.back();
        pending.pop_back();
        fn(*c);
        const auto& kids = c->getChildren();
        pending.insert(pending.end(), kids.begin(), kids.end());
    }
}

}  // namespace

void CompositeNode::removeAllChildren() {
    std::vector<VisComponent*> doomed;
    doomed.swap(children);
    for (VisComponent* child : doomed) {
        child->parent = nullptr;
        delete child;
    }
}

VisComponent::VisComponent() { assignNewId(); }

VisComponent::VisComponent(const VisComponent& other) : CompositeNode() {
    assignNewId();
    *this = other;
}

VisComponent& VisComponent::operator=(const VisComponent& other) {
    if (this == &other) return *this;
    leaf = other.leaf;
    position = other.position;
    angle = other.angle;
    width = other.width;
    height = other.height;
    scale = other.scale;
    std::copy(other.color, other.color + 4, color);
    animationsSuspended = other.animationsSuspended;
    return *this;
}

VisComponent::~VisComponent() {
    if (manager != nullptr) manager->forgetComponent(this);
    detachFromParent();
    removeAllChildren();
    for (const auto& proxy : activeBuffers) delete proxy->buffer;
}

void VisComponent::assignNewId() {
    id = nextComponentId;
    nextComponentId = nextComponentId == kLargestId ? 1 : nextComponentId + 1;
    idColor[0] = static_cast<unsigned char>(id & 0xFF);
    idColor[1] = static_cast<unsigned char>((id >> 8) & 0xFF);
    idColor[2] = static_cast<unsigned char>((id >> 16) & 0xFF);
}

void VisComponent::detachFromParent() {
    if (parent != nullptr) removeFrom(parent->children, this);
    parent = nullptr;
}

void VisComponent::pushStrategy(VisComponentStrategy* pushed) {
    if (pushed == nullptr) return;
    pushed->component = this;
    pushed->next = strategy;
    strategy = pushed;
    strategies.push_back({std::unique_ptr<VisComponentStrategy>(pushed), false});
    if (manager != nullptr) initPropertiesComponent();
}

void VisComponent::initPropertiesComponent() {
    // By index: initProperties may push further strategies.
    for (std::size_t i = 0; i < strategies.size(); ++i) {
        if (strategies[i].initialised) continue;
        strategies[i].initialised = true;
        strategies[i].strategy->initProperties();
    }
    live = manager != nullptr;
}

void VisComponent::onEvent(DravikEvent* event) {
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->onEvent(event);
}

bool VisComponent::isInside(unsigned x, unsigned y) const {
    double bx = 0.0, by = 0.0;
    convertGlobalToBufferCoords(x, y, bx, by);
    return bx >= 0.0 && bx < width && by >= 0.0 && by < height;
}

void VisComponent::moveBranchBy(double dx, double dy, double dz) {
    if (!isFiniteValue(dx) || !isFiniteValue(dy) || !isFiniteValue(dz)) return;
    const Point3d d(dx, dy, dz);
    forEachInBranch(this, [&](VisComponent& c) { c.position += d; });
}

void VisComponent::rotateBranch(double a) {
    if (!isFiniteValue(a)) return;
    const double c = std::cos(a), s = std::sin(a);
    const Point3d centre = position;
    forEachInBranch(this, [&](VisComponent& node) {
        const double rx = node.position.x - centre.x, ry = node.position.y - centre.y;
        node.position.x = centre.x + c * rx - s * ry;
        node.position.y = centre.y + s * rx + c * ry;
        node.angle += a;
    });
}

void VisComponent::angleCosSin(double& c, double& s) const {
    if (angle != trigAngle) {  // also for a NaN angle, which stays NaN either way
        trigCos = std::cos(angle);
        trigSin = std::sin(angle);
        trigAngle = angle;
    }
    c = trigCos;
    s = trigSin;
}

void VisComponent::convertGlobalToComponentCoords(Point3d& p) const {
    double c, s;
    angleCosSin(c, s);
    const double dx = p.x - position.x, dy = p.y - position.y;
    p.x = (c * dx + s * dy) / scale.x;
    p.y = (c * dy - s * dx) / scale.y;
    p.z = (p.z - position.z) / scale.z;
}

void VisComponent::convertComponentToGlobalCoords(Point3d& p) const {
    double c, s;
    angleCosSin(c, s);
    const double lx = p.x * scale.x, ly = p.y * scale.y;
    p.x = position.x + c * lx - s * ly;
    p.y = position.y + s * lx + c * ly;
    p.z = position.z + p.z * scale.z;
}

void VisComponent::convertGlobalToBufferCoords(double gx, double gy, double& bx, double& by) const {
    Point3d p(gx, gy, position.z);
    convertGlobalToComponentCoords(p);
    bx = p.x + static_cast<double>(width >> 1);
    by = p.y + static_cast<double>(height >> 1);
}

void VisComponent::addActiveBuffer(IBufferProxy* proxy) {
    if (proxy == nullptr) return;
    proxy->owner = this;
    activeBuffers.emplace_back(proxy);
    // Components lying in this one may read grids of this type.
    if (manager == nullptr) return;
    if (this == manager->rootComponent)
        for (VisComponent* c : manager->components) c->connectPassiveBuffers();
    for (VisComponent* c : children) c->connectPassiveBuffers();
}

void VisComponent::addPassiveBuffer(IBufferProxy* proxy) {
    if (proxy == nullptr) return;
    proxy->buffer = nullptr;
    proxy->owner = nullptr;
    passiveBuffers.emplace_back(proxy);
    connectPassiveBuffers();
}

IBufferProxy* VisComponent::getActiveBufferByType(unsigned type) const {
    for (const auto& p : activeBuffers)
        if (p->type == type) return p.get();
    return nullptr;
}

IBufferProxy* VisComponent::getPassiveBufferByType(unsigned type) const {
    for (const auto& p : passiveBuffers)
        if (p->type == type) return p.get();
    return nullptr;
}

void VisComponent::resizeActiveBuffers() {
    for (const auto& p : activeBuffers)
        if (p->buffer != nullptr) p->buffer->resize(width, height, width, height);
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->resize(width, height);
}

bool VisComponent::hasConnectedPassiveBuffers() const {
    for (const auto& p : passiveBuffers)
        if (p->buffer != nullptr) return true;
    return false;
}

std::size_t VisComponent::getActiveBuffersMemorySize() const {
    std::size_t bytes = 0;
    for (const auto& p : activeBuffers)
        if (p->buffer != nullptr) bytes += p->buffer->getMemorySize();
    return bytes;
}

VisComponent* VisComponent::getContainer() const {
    if (parent != nullptr) return parent;
    if (manager == nullptr || this == manager->rootComponent) return nullptr;
    const auto& top = manager->components;
    return std::find(top.begin(), top.end(), this) != top.end() ? manager->rootComponent : nullptr;
}

void VisComponent::connectPassiveBuffers() {
    if (passiveBuffers.empty()) return;
    const VisComponent* container = getContainer();
    for (const auto& proxy : passiveBuffers) {
        IBufferProxy* source = container ? container->getActiveBufferByType(proxy->type) : nullptr;
        proxy->buffer = source ? source->buffer : nullptr;
        proxy->owner = source ? source->owner : nullptr;
    }
}

bool VisComponent::readsAnyBufferOf(const VisComponent* container) const {
    for (const auto& proxy : passiveBuffers)
        if (container->getActiveBufferByType(proxy->type) != nullptr) return true;
    return false;
}

LocalBounds VisComponent::getPickingBounds() const {
    const double left = -static_cast<double>(width >> 1), bottom = -static_cast<double>(height >> 1);
    LocalBounds bounds{left, bottom, left + width, bottom + height};
    for (const StrategySlot& slot : strategies) slot.strategy->extendPickingBounds(bounds);
    return bounds;
}

void VisComponent::getIdColor(unsigned char* rgb) const { std::copy(idColor, idColor + 3, rgb); }

unsigned long VisComponent::convertColorToId(const unsigned char* rgb) {
    return static_cast<unsigned long>(rgb[0]) | (static_cast<unsigned long>(rgb[1]) << 8) |
           (static_cast<unsigned long>(rgb[2]) << 16);
}

void VisComponent::animateAdding(const std::vector<unsigned>& types, unsigned count) {
    for (unsigned i = 0; i < count; ++i) readPassiveBuffers(types);
}

void VisComponent::readPassiveBuffers(const std::vector<unsigned>& types) {
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->readPassiveBuffers(types);
}

void VisComponent::readAllPassiveBuffers() {
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->readAllPassiveBuffers();
}

void VisComponent::readAllPickingPassiveBuffers() {
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->readAllPickingPassiveBuffers();
}

void VisComponent::render(const std::vector<unsigned long>& selectedIds) {
    preRender();
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->draw(selectedIds);
    postRender();
}

void VisComponent::renderForPicking() {
    preRender();
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->drawForPicking();
    postRender();
}

void VisComponent::print() const {
    std::cout << "VisComponent " << id << ": position (" << position.x << ", " << position.y << ", "
              << position.z << "), size " << width << " x " << height << ", angle " << angle
              << ", scale (" << scale.x << ", " << scale.y << "), " << strategies.size()
              << " strategies, " << children.size() << " children" << (leaf ? ", leaf" : "") << '\n';
}

void VisComponent::printChildren() const {
    std::vector<std::pair<const VisComponent*, int>> pending;
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back({*it, 1});
    while (!pending.empty()) {
        auto [c, depth] = pending.back();
        pending.pop_back();
        std::cout << std::string(2 * depth, ' ');
        c->print();
        for (auto it = c->children.rbegin(); it != c->children.rend(); ++it) pending.push_back({*it, depth + 1});
    }
}

void VisComponent::addChild(VisComponent* child) {
    if (child == nullptr || child == this) return;
    for (const VisComponent* a = this; a != nullptr; a = a->parent)
        if (a == child) return;  // would make a cycle
    if (child->manager != nullptr) {
        removeFrom(child->manager->components, child);
    }
    child->detachFromParent();
    children.push_back(child);
    child->parent = this;
    if (manager != nullptr) manager->registerTree(child);
    child->connectPassiveBuffers();
}

void VisComponent::moveNodeToFront() {
    std::vector<VisComponent*>* siblings = nullptr;
    if (parent != nullptr) siblings = &parent->children;
    else if (manager != nullptr) siblings = &manager->components;
    if (siblings == nullptr) return;
    auto it = std::find(siblings->begin(), siblings->end(), this);
    if (it == siblings->end()) return;
    std::rotate(it, it + 1, siblings->end());
    if (manager != nullptr) manager->placedInFront(this);
}

void VisComponent::moveNodeTo(VisComponent* newParent) {
    if (newParent != nullptr) {
        newParent->addChild(this);
        return;
    }
    if (manager == nullptr || this == manager->rootComponent) return;
    detachFromParent();
    removeFrom(manager->components, this);
    manager->components.push_back(this);
    manager->placedInFront(this);
    connectPassiveBuffers();
}

void VisComponent::animate(double time) {
    (void)time;
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->process();
}

void VisComponent::resize(unsigned w, unsigned h) {
    width = w;
    height = h;
    resizeActiveBuffers();
}

bool VisComponent::drop(bool animate) {
    if (manager == nullptr || this == manager->rootComponent) return false;
    const unsigned long targetId = manager->findContainerAt(position.x, position.y, this);
    VisComponent* target = manager->getComponentById(targetId);
    if (target != nullptr && !target->isContainerFor(this)) target = nullptr;
    if (target != parent) moveNodeTo(target);
    for (std::size_t i = 0; i < strategies.size(); ++i) strategies[i].strategy->drop(animate);
    return true;
}

bool VisComponent::hasStrategyAcceptingDrops() const {
    for (const StrategySlot& slot : strategies)
        if (slot.strategy->acceptsDrops()) return true;
    return false;
}

bool VisComponent::isContainerFor(const VisComponent* item) const {
    if (leaf) return false;
    if (item == nullptr) return hasStrategyAcceptingDrops() || !activeBuffers.empty();
    for (const VisComponent* a = this; a != nullptr; a = a->parent)
        if (a == item) return false;
    return hasStrategyAcceptingDrops() || item->readsAnyBufferOf(this);
}
