#ifndef DRAVIK_FRAMEWORK_DRAVIKEVENT_H
#define DRAVIK_FRAMEWORK_DRAVIKEVENT_H

#include <cstdint>

#include "framework/Export.h"
#include "framework/Point3d.h"

class VisComponent;

// A touch, pointer or application event. `type` is an event type identifier interned by
// ConstantProvider ("PRESS", "DRAG", ...); x, y, z are global display coordinates.
//
// Contacts. A touch belongs to a user and to one contact of that user: a finger, pen or mouse
// button from the moment it touches to the moment it lifts. `contactId` names the contact
// among all contacts down at the same time; an event built without one stands for the user's
// only contact (OnlyContact). `anonymousContact` tells a contact whose source knows no user
// (a TUIO 1.1 finger, a touch screen contact) from one of a real user (a TUIO 2.0 pointer, a
// mouse button): its `userId` is a user slot lent to that one contact while it is down.
class DRAVIK_API DravikEvent {
public:
    // User identifier of events that belong to no user.
    static const unsigned NoUserId;
    // Contact identifier of events that stand for their user's only contact.
    static const std::uint64_t OnlyContact;

    // `contacts` is the number of touch contacts the event stands for; callers pass 1.
    explicit DravikEvent(unsigned type = 0, unsigned userId = NoUserId, double x = 0.0,
                         double y = 0.0, double z = 0.0, VisComponent* component = nullptr,
                         unsigned contacts = 1);
    virtual ~DravikEvent();

    Point3d getCoords() const { return Point3d(x, y, z); }
    // Names the contact the event belongs to (see above).
    void setContact(std::uint64_t id, bool anonymous) {
        contactId = id;
        anonymousContact = anonymous;
    }

    unsigned type;
    unsigned userId;
    VisComponent* component;
    double x;
    double y;
    double z;
    unsigned contacts;
    std::uint64_t contactId = OnlyContact;
    bool anonymousContact = false;
};

#endif
