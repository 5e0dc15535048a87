// The manager's routing of touches per contact and its arbitration between strategies (the
// rules are in DravikManager.h).
#include <set>
#include <utility>

#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

enum class DravikManager::Audience : unsigned char {
    Contact,           // the claimant, or else whoever follows the contact
    OneTouch,          // strategies that follow one touch per user, while nobody claims it
    EveryContact,      // strategies that follow every contact, while nobody claims it
    Everyone,          // every strategy
    EveryContactAlways // strategies that follow every contact, claimed or not
};

std::size_t DravikManager::findHold(unsigned userId, std::uint64_t contactId) const {
    for (std::size_t i = 0; i < holds.size(); ++i)
        if (holds[i].userId == userId && holds[i].contactId == contactId) return i;
    return NoHold;
}

bool DravikManager::isOneTouchFree(unsigned userId, const VisComponent* component) const {
    for (const Hold& h : holds)
        if (h.userId == userId && h.component == component && (h.followed || h.claimant != nullptr)) return false;
    return true;
}

void DravikManager::refreshSelection() {
    selectedIds.clear();
    std::set<std::pair<unsigned, unsigned long>> listed;
    for (const Hold& h : holds)
        if (listed.insert({h.userId, h.component->id}).second) selectedIds.push_back(h.component->id);
}

std::size_t DravikManager::countContactsHolding(unsigned long id) const {
    std::size_t n = 0;
    for (const Hold& h : holds) n += h.component->id == id ? 1 : 0;
    return n;
}

void DravikManager::routeEvent(DravikEvent* event) {
    // A point that is not a number reaches no component, except that a release still ends
    // its contact's hold: the held component lets go and is dropped where it lies.
    const bool finite = isFiniteValue(event->x) && isFiniteValue(event->y) && isFiniteValue(event->z);
    if (!finite && event->type != releaseEventType) return;
    adoptRoot();
    if (event->type == pressEventType) {
        pressContact(event);
        return;
    }
    const std::size_t held = findHold(event->userId, event->contactId);
    VisComponent* target = held != NoHold ? holds[held].component : nullptr;
    const bool touch = event->type == dragEventType || event->type == releaseEventType;
    if (!touch && event->type != cancelEventType && target == nullptr)
        target = getComponentById(findComponentAt(event->x, event->y));
    showTouch(event, target);
    if (target == nullptr) return;
    componentMoved(target);
    if (held == NoHold) {
        target->onEvent(event);  // another event of the library, for the component under it
        return;
    }
    if (finite) holds[held].last = event->getCoords();
    if (event->type == dragEventType) deliver(target, event, Audience::Contact);
    else if (touch || event->type == cancelEventType) endContact(held, event, event->type == releaseEventType);
    else target->onEvent(event);
}

void DravikManager::pressContact(DravikEvent* event) {
    // The same contact pressed again without lifting: its previous touch is called off.
    if (std::size_t old = findHold(event->userId, event->contactId); old != NoHold) {
        DravikEvent cancel(cancelEventType, event->userId, event->x, event->y, event->z);
        cancel.setContact(event->contactId, event->anonymousContact);
        endContact(old, &cancel, false);
    }
    VisComponent* target = getComponentById(findComponentAt(event->x, event->y));
    showTouch(event, target);
    if (target == nullptr) return;
    const bool followed = isOneTouchFree(event->userId, target);
    holds.push_back({event->userId, event->contactId, event->anonymousContact, target, nullptr, followed,
                     event->getCoords()});
    refreshSelection();
    target->moveNodeToFront();  // marks the target's branch moved
    deliver(target, event, Audience::Contact);
}

void DravikManager::endContact(std::size_t index, DravikEvent* event, bool lifted) {
    const Hold hold = holds[index];
    VisComponent* target = hold.component;
    const unsigned long targetId = target->id;
    bool otherFollowable = false;
    for (const Hold& h : holds)
        otherFollowable |= &h != &holds[index] && h.userId == hold.userId && h.component == target &&
                           h.claimant == nullptr;
    if (lifted && hold.followed && otherFollowable) {
        // The user still holds the component with another contact: the one-touch strategies
        // let go of this one without ending the user's touch, and follow the next.
        DravikEvent cancel(*event);
        cancel.type = cancelEventType;
        deliver(target, &cancel, Audience::OneTouch);
        deliver(target, event, Audience::EveryContact);
    } else {
        deliver(target, event, Audience::Contact);
    }
    // Delivery may have ended the hold already (the component destroyed, the selection
    // changed); end it if it is still there.
    const std::size_t still = findHold(hold.userId, hold.contactId);
    if (still != NoHold && holds[still].component == target) releaseHold(still);
    if (getComponentById(targetId) != target) return;
    followNext(hold.userId, target);
    // A user who still holds the component with another finger has not let go of it; fingers
    // without users on one component count as one hand.
    for (const Hold& h : holds)
        if (h.component == target && (h.userId == hold.userId || (h.anonymous && hold.anonymous))) return;
    if (lifted && getComponentById(targetId) == target) target->drop(true);
}

void DravikManager::followNext(unsigned userId, VisComponent* component) {
    if (!isOneTouchFree(userId, component)) return;
    for (Hold& h : holds) {
        if (h.userId != userId || h.component != component || h.claimant != nullptr) continue;
        h.followed = true;
        DravikEvent press(pressEventType, userId, h.last.x, h.last.y, h.last.z);
        press.setContact(h.contactId, h.anonymous);
        deliver(component, &press, Audience::OneTouch);
        return;
    }
}

void DravikManager::deliver(VisComponent* target, DravikEvent* event, Audience audience,
                            const VisComponentStrategy* skipped) {
    const unsigned long targetId = target->id;
    const unsigned long changesBefore = structureChanges;
    for (std::size_t i = 0; i < target->strategies.size(); ++i) {
        const std::size_t h = findHold(event->userId, event->contactId);
        if (h == NoHold || holds[h].component != target) return;
        VisComponentStrategy* strategy = target->strategies[i].strategy.get();
        const bool every = strategy->followsEveryContact();
        const VisComponentStrategy* claimant = holds[h].claimant;
        bool sees = false;
        switch (audience) {
        case Audience::Contact: sees = claimant != nullptr ? strategy == claimant : holds[h].followed || every; break;
        case Audience::OneTouch: sees = !every && claimant == nullptr; break;
        case Audience::EveryContact: sees = every && claimant == nullptr; break;
        case Audience::Everyone: sees = true; break;
        case Audience::EveryContactAlways: sees = every; break;
        }
        if (!sees || strategy == skipped) continue;
        strategy->onEvent(event);
        // A strategy may have destroyed components, this one among them.
        if (structureChanges != changesBefore && getComponentById(targetId) != target) return;
    }
}

bool DravikManager::canClaimContact(const VisComponentStrategy* claimant, const DravikEvent& contact) const {
    if (claimant == nullptr) return false;
    const std::size_t i = findHold(contact.userId, contact.contactId);
    return i != NoHold && holds[i].component == claimant->component &&
           (holds[i].claimant == nullptr || holds[i].claimant == claimant);
}

bool DravikManager::claimContact(VisComponentStrategy* claimant, const DravikEvent& contact) {
    if (!canClaimContact(claimant, contact)) return false;
    const std::size_t i = findHold(contact.userId, contact.contactId);
    Hold& hold = holds[i];
    if (hold.claimant == claimant) return true;
    const bool wasFollowed = hold.followed;
    hold.claimant = claimant;
    hold.followed = false;
    VisComponent* target = hold.component;
    DravikEvent cancel(cancelEventType, hold.userId, hold.last.x, hold.last.y, hold.last.z);
    cancel.setContact(hold.contactId, hold.anonymous);
    deliver(target, &cancel, wasFollowed ? Audience::Everyone : Audience::EveryContactAlways, claimant);
    return true;
}

void DravikManager::returnContact(VisComponentStrategy* claimant, const DravikEvent& contact) {
    const std::size_t i = findHold(contact.userId, contact.contactId);
    if (claimant == nullptr || i == NoHold || holds[i].claimant != claimant) return;
    holds[i].claimant = nullptr;
    followNext(holds[i].userId, holds[i].component);
}
