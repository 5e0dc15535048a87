#ifndef DRAVIK_FRAMEWORK_DRAVIKEVENT_H
#define DRAVIK_FRAMEWORK_DRAVIKEVENT_H

#include "framework/Export.h"
#include "framework/Point3d.h"

class VisComponent;

// A touch, pointer or application event. `type` is an event type identifier interned by
// ConstantProvider ("PRESS", "DRAG", ...); x, y, z are global display coordinates.
class DRAVIK_API DravikEvent {
public:
    // User identifier of events that belong to no user.
    static const unsigned NoUserId;

    // `contacts` is the number of touch contacts the event stands for; callers pass 1.
    explicit DravikEvent(unsigned type = 0, unsigned userId = NoUserId, double x = 0.0,
                         double y = 0.0, double z = 0.0, VisComponent* component = nullptr,
                         unsigned contacts = 1);
    virtual ~DravikEvent();

    Point3d getCoords() const { return Point3d(x, y, z); }

    unsigned type;
    unsigned userId;
    VisComponent* component;
    double x;
    double y;
    double z;
    unsigned contacts;
};

#endif
