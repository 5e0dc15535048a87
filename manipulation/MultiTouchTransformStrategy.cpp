#include "manipulation/MultiTouchTransformStrategy.h"

#include <algorithm>
#include <cmath>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/TossableStrategy.h"
#include "manipulation/detail/TouchGeometry.h"

namespace {

constexpr double kFullTurn = 6.283185307179586;
// Contacts whose squared distances from their centroid sum to less than this (square
// pixels) give no usable angle or spread.
constexpr double kLeastSpread = 1.0;
constexpr std::size_t kPathLength = 3;  // as the toss history
constexpr std::uint64_t kAnonymousGroup = std::uint64_t{1} << 40;
constexpr std::uint64_t kSharedGroup = std::uint64_t{1} << 41;

void scaleSubtree(VisComponent& node, const Point3d& centre, double factor) {
    for (VisComponent* child : node.getChildren()) {
        child->position = centre + (child->position - centre) * factor;
        child->scale.x *= factor;
        child->scale.y *= factor;
        scaleSubtree(*child, centre, factor);
    }
}

}  // namespace

MultiTouchTransformStrategy::MultiTouchTransformStrategy(const MultiTouchTransformStrategy& other)
    : VisComponentStrategy(other) {
    *this = other;
}

MultiTouchTransformStrategy& MultiTouchTransformStrategy::operator=(const MultiTouchTransformStrategy& other) {
    minScale = other.minScale;
    maxScale = other.maxScale;
    moves = other.moves;
    turns = other.turns;
    scales = other.scales;
    shareAmongUsers = other.shareAmongUsers;
    return *this;
}

bool MultiTouchTransformStrategy::setScaleBounds(double minimum, double maximum) {
    if (!(minimum > 0.0) || !(maximum >= minimum) || !isFiniteValue(maximum)) return false;
    minScale = minimum;
    maxScale = maximum;
    return true;
}

void MultiTouchTransformStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressEventType = names->getEventTypeIdentifier("PRESS");
    dragEventType = names->getEventTypeIdentifier("DRAG");
    releaseEventType = names->getEventTypeIdentifier("RELEASE");
    cancelEventType = names->getEventTypeIdentifier("CANCEL");
}

std::uint64_t MultiTouchTransformStrategy::groupOf(const Contact& contact) const {
    if (shareAmongUsers) return kSharedGroup;
    return contact.anonymous ? kAnonymousGroup : contact.userId;
}

std::size_t MultiTouchTransformStrategy::gestureSize() const {
    return static_cast<std::size_t>(std::count_if(contacts.begin(), contacts.end(), [](const Contact& c) { return c.inGesture; }));
}

MultiTouchTransformStrategy::Contact* MultiTouchTransformStrategy::find(const DravikEvent& event) {
    for (Contact& c : contacts)
        if (c.userId == event.userId && c.contactId == event.contactId) return &c;
    return nullptr;
}

DravikEvent MultiTouchTransformStrategy::nameOf(const Contact& contact) const {
    DravikEvent name(0, contact.userId, contact.at.x, contact.at.y);
    name.setContact(contact.contactId, contact.anonymous);
    return name;
}

bool MultiTouchTransformStrategy::mayTake(const Contact& contact) const {
    return component->manager == nullptr || component->manager->canClaimContact(this, nameOf(contact));
}

bool MultiTouchTransformStrategy::take(Contact& contact) {
    contact.inGesture = component->manager == nullptr || component->manager->claimContact(this, nameOf(contact));
    return contact.inGesture;
}

void MultiTouchTransformStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    if (event->type == pressEventType) {
        if (detail::hasFinitePoint(*event)) pressed(*event);
    } else if (event->type == dragEventType) {
        Contact* contact = find(*event);
        if (contact != nullptr && detail::hasFinitePoint(*event)) moved(*contact, event->getCoords());
    } else if (event->type == releaseEventType || event->type == cancelEventType) {
        lifted(*event, event->type == cancelEventType);
    }
}

void MultiTouchTransformStrategy::pressed(const DravikEvent& event) {
    if (!component->isInside(truncateToUnsigned(event.x), truncateToUnsigned(event.y))) return;
    if (Contact* known = find(event)) {
        known->at = event.getCoords();
        return;
    }
    contacts.push_back({event.userId, event.contactId, event.anonymousContact, event.getCoords(), false});
    const std::uint64_t group = groupOf(contacts.back());
    if (gestureSize() > 0) {
        // A further finger of the gesture joins it; other groups wait for it to end.
        if (group == gestureGroup) take(contacts.back());
        return;
    }
    std::vector<std::size_t> members;
    for (std::size_t i = 0; i < contacts.size(); ++i)
        if (groupOf(contacts[i]) == group && mayTake(contacts[i])) members.push_back(i);
    if (members.size() < 2) return;
    gestureGroup = group;
    path.assign(kPathLength, component->position);
    // Newest first: the first contact, which the one-touch strategies follow, is taken last,
    // so that they are told once.
    for (auto it = members.rbegin(); it != members.rend(); ++it) take(contacts[*it]);
}

void MultiTouchTransformStrategy::moved(Contact& contact, const Point3d& to) {
    if (!contact.inGesture) {
        contact.at = to;
        return;
    }
    if (gestureSize() == 1) {
        // The gesture fell back to this contact: it moves the component this once and goes
        // back to the one-touch strategies, which go on from where it is now.
        if (moves) component->moveBranchBy(to.x - contact.at.x, to.y - contact.at.y, 0.0);
        contact.at = to;
        contact.inGesture = false;
        if (component->manager != nullptr) component->manager->returnContact(this, nameOf(contact));
        return;
    }
    std::vector<Point3d> before;
    for (const Contact& c : contacts)
        if (c.inGesture) before.push_back(c.at);
    contact.at = to;
    transform(before);
}

void MultiTouchTransformStrategy::lifted(const DravikEvent& event, bool cancelled) {
    Contact* contact = find(event);
    if (contact == nullptr) return;
    const bool wasInGesture = contact->inGesture;
    contacts.erase(contacts.begin() + (contact - contacts.data()));
    if (!wasInGesture || gestureSize() > 0) return;
    if (!cancelled) endGesture();
    path.clear();
}

void MultiTouchTransformStrategy::transform(const std::vector<Point3d>& before) {
    Point3d from, to;
    std::size_t n = 0;
    for (const Contact& c : contacts) {
        if (!c.inGesture) continue;
        from += before[n++];
        to += c.at;
    }
    from = from * (1.0 / static_cast<double>(n));
    to = to * (1.0 / static_cast<double>(n));
    // The similarity that best maps the previous points onto the new ones, about their
    // centroids: factor * (cos turn, sin turn) = (dot, cross) / spread.
    double dot = 0.0, cross = 0.0, spreadBefore = 0.0, spreadAfter = 0.0;
    n = 0;
    for (const Contact& c : contacts) {
        if (!c.inGesture) continue;
        const Point3d p = before[n++] - from, q = c.at - to;
        dot += p.x * q.x + p.y * q.y;
        cross += p.x * q.y - p.y * q.x;
        spreadBefore += p.x * p.x + p.y * p.y;
        spreadAfter += q.x * q.x + q.y * q.y;
    }
    double factor = 1.0, turn = 0.0;
    if (spreadBefore >= kLeastSpread && spreadAfter >= kLeastSpread) {
        factor = std::hypot(dot, cross) / spreadBefore;
        turn = std::atan2(cross, dot);
    }
    if (!turns || !isFiniteValue(turn)) turn = 0.0;
    const double current = component->scale.x;
    if (!scales || !isFiniteValue(factor) || !(current > 0.0)) factor = 1.0;
    // A scale outside the bounds (set before) may only come back toward them.
    const double target = std::clamp(current * factor, std::min(minScale, current), std::max(maxScale, current));
    factor = target / current;

    const Point3d position = component->position;
    if (moves) {
        // The component's point under the old centroid ends under the new one.
        const Point3d r = (position - from) * factor;
        const double c = std::cos(turn), s = std::sin(turn);
        const Point3d placed(to.x + c * r.x - s * r.y, to.y + s * r.x + c * r.y, position.z);
        component->moveBranchBy(placed.x - position.x, placed.y - position.y, 0.0);
    }
    if (factor != 1.0) scaleBranch(factor);
    // Keep the angle in [0, 2 pi), as a one-touch turn does.
    const double angle = component->angle + turn;
    if (angle >= kFullTurn) turn -= kFullTurn;
    else if (angle < 0.0) turn += kFullTurn;
    if (turn != 0.0) component->rotateBranch(turn);

    path.push_back(component->position);
    while (path.size() > kPathLength) path.pop_front();
}

void MultiTouchTransformStrategy::scaleBranch(double factor) {
    component->scale.x *= factor;
    component->scale.y *= factor;
    scaleSubtree(*component, component->position, factor);
}

void MultiTouchTransformStrategy::endGesture() {
    if (path.size() < 2) return;
    const Point3d velocity = path.back() - path.front();
    for (VisComponentStrategy* s = component->strategy; s != nullptr; s = s->getNext())
        if (auto* tossable = dynamic_cast<TossableStrategy*>(s)) tossable->glide(velocity.x, velocity.y);
}
