#ifndef DRAVIK_INPUT_INPUTDISPATCHER_H
#define DRAVIK_INPUT_INPUTDISPATCHER_H

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "framework/Export.h"
#include "input/InputEvent.h"

class DravikManager;

// Turns input events into the touches the manager routes: a "PRESS", "DRAG" or "RELEASE" of
// one contact of a user at display pixels. Runs on the thread that owns the scene.
//
// Users. A contact whose source names its user (a TUIO 2.0 pointer of user 2, a mouse
// button) is that user's touch. A contact without a user gets a user slot of its own from
// the moment it touches until it lifts: the lowest number from `firstAnonymousUser` on that
// no contact down at the time holds, so that every finger on a TUIO 1.1 table or a touch
// screen is a user of its own and several of them drag several components at once, and the
// numbers stay small (each user has a touch indicator). At most `anonymousUsers` such
// contacts are down at once; a press beyond that is refused. Every touch carries its contact
// (the source's name for it), and whether the contact has a user of its own, so that the
// manager routes each contact on its own and a pinch knows which contacts belong together.
//
// Incomplete touches. A drag or release of a contact that is not down (its press was dropped,
// or it was never pressed) is refused; a press of a contact already down touches again as the
// same user. Refused events are counted.
class DRAVIK_API InputDispatcher {
public:
    static constexpr unsigned defaultAnonymousUsers = 64;
    static constexpr std::size_t maxContactsDown = 4096;  // of all sources together

    // A touch ready for DravikManager::processEvent.
    struct Touch {
        unsigned type = 0;  // event type identifier of "PRESS", "DRAG" or "RELEASE"
        unsigned user = 0;
        std::uint64_t contact = 0;  // InputEvent::contact
        bool anonymous = false;     // the user is a slot lent to a contact without a user
        double x = 0.0;     // display pixels, y up
        double y = 0.0;
        InputEvent::Clock::time_point arrival{};
    };

    explicit InputDispatcher(unsigned firstAnonymousUser = 1, unsigned anonymousUsers = defaultAnonymousUsers);

    // The touch the event stands for on a display of width x height pixels; false (and
    // counted as refused) when it stands for none.
    bool translate(const InputEvent& event, unsigned displayWidth, unsigned displayHeight, Touch& touch);
    // Translates the events in order and has the manager route each touch, at the manager's
    // display size. Returns the number of touches delivered.
    std::size_t deliver(const std::vector<InputEvent>& events, DravikManager& manager);

    // The largest user number this dispatcher can give a contact without a user.
    unsigned lastAnonymousUser() const { return firstAnonymousUser + anonymousUsers - 1; }
    std::size_t contactsDown() const { return contacts.size(); }
    std::uint64_t refusedCount() const { return refused; }

private:
    struct Contact {
        unsigned user;
        bool anonymous;
    };

    bool press(const InputEvent& event, unsigned& user);
    bool takeAnonymousUser(unsigned& user);
    void lift(std::unordered_map<std::uint64_t, Contact>::iterator contact);

    unsigned firstAnonymousUser;
    unsigned anonymousUsers;
    std::unordered_map<std::uint64_t, Contact> contacts;  // the contacts that are down
    std::vector<bool> anonymousTaken;                     // by slot
    std::unordered_map<unsigned, unsigned> namedUsersDown; // user -> contacts down
    std::uint64_t refused = 0;
    unsigned pressType, dragType, releaseType;
};

#endif
