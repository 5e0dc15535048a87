#include "input/InputDispatcher.h"

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"

InputDispatcher::InputDispatcher(unsigned firstAnonymousUser, unsigned anonymousUsers)
    : firstAnonymousUser(firstAnonymousUser == 0 ? 1 : firstAnonymousUser),
      anonymousUsers(anonymousUsers),
      anonymousTaken(anonymousUsers, false) {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressType = names->getEventTypeIdentifier("PRESS");
    dragType = names->getEventTypeIdentifier("DRAG");
    releaseType = names->getEventTypeIdentifier("RELEASE");
}

bool InputDispatcher::translate(const InputEvent& event, unsigned displayWidth, unsigned displayHeight,
                                Touch& touch) {
    auto down = contacts.find(event.contact);
    switch (event.phase) {
    case InputEvent::Phase::Press:
        touch.type = pressType;
        if (down == contacts.end()) {
            if (!press(event, touch.user)) {
                ++refused;
                return false;
            }
            down = contacts.find(event.contact);
        }
        break;
    case InputEvent::Phase::Drag:
    case InputEvent::Phase::Release:
        if (down == contacts.end()) {
            ++refused;
            return false;
        }
        touch.type = event.phase == InputEvent::Phase::Drag ? dragType : releaseType;
        break;
    }
    touch.user = down->second.user;
    touch.anonymous = down->second.anonymous;
    touch.contact = event.contact;
    if (event.phase == InputEvent::Phase::Release) lift(down);
    if (event.space == InputEvent::Space::Normalised) {
        touch.x = event.x * displayWidth;
        touch.y = (1.0 - event.y) * displayHeight;
    } else {
        touch.x = event.x;
        touch.y = event.y;
    }
    touch.arrival = event.arrival;
    return true;
}

bool InputDispatcher::press(const InputEvent& event, unsigned& user) {
    if (contacts.size() >= maxContactsDown) return false;
    const bool anonymous = event.user == InputEvent::AnonymousUser;
    if (anonymous) {
        if (!takeAnonymousUser(user)) return false;
    } else {
        user = event.user;
        ++namedUsersDown[user];
    }
    contacts.emplace(event.contact, Contact{user, anonymous});
    return true;
}

bool InputDispatcher::takeAnonymousUser(unsigned& user) {
    for (unsigned slot = 0; slot < anonymousUsers; ++slot) {
        // A slot whose number a named user holds right now would merge two people.
        if (anonymousTaken[slot] || namedUsersDown.count(firstAnonymousUser + slot) != 0) continue;
        anonymousTaken[slot] = true;
        user = firstAnonymousUser + slot;
        return true;
    }
    return false;
}

void InputDispatcher::lift(std::unordered_map<std::uint64_t, Contact>::iterator contact) {
    const Contact lifted = contact->second;
    contacts.erase(contact);
    if (lifted.anonymous) {
        anonymousTaken[lifted.user - firstAnonymousUser] = false;
        return;
    }
    auto named = namedUsersDown.find(lifted.user);
    if (named != namedUsersDown.end() && --named->second == 0) namedUsersDown.erase(named);
}

std::size_t InputDispatcher::deliver(const std::vector<InputEvent>& events, DravikManager& manager) {
    std::size_t delivered = 0;
    Touch touch;
    for (const InputEvent& event : events) {
        if (!translate(event, manager.displayWidth, manager.displayHeight, touch)) continue;
        DravikEvent routed(touch.type, touch.user, touch.x, touch.y, 0.0, nullptr, 1);
        routed.setContact(touch.contact, touch.anonymous);
        manager.processEvent(&routed, nullptr);
        ++delivered;
    }
    return delivered;
}
