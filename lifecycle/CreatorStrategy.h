#ifndef DRAVIK_LIFECYCLE_CREATORSTRATEGY_H
#define DRAVIK_LIFECYCLE_CREATORSTRATEGY_H

#include <cstdint>

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

class VisComponent;

// Makes its component a dispenser. A "PRESS" inside the component asks createComponent for a
// new component, adds it to the scene in front of everything, moves the selection of the
// pressing user from the dispenser to it and gives it the press, so that the finger that
// touched the dispenser now holds the new component and can drag it away.
//
// The application supplies the components by implementing createComponent. A null result
// creates nothing. The manager keeps what it accepts; a component it refuses (one that
// already belongs to a scene or to a parent) is left where it is and gets no press, and one
// made while the dispenser is in no scene has no owner and is deleted.
class DRAVIK_API CreatorStrategy : public VisComponentStrategy {
public:
    CreatorStrategy() = default;
    CreatorStrategy(const CreatorStrategy&) = default;
    CreatorStrategy& operator=(const CreatorStrategy&) = default;
    ~CreatorStrategy() override;

protected:
    void onEvent(DravikEvent* event) override;

    // A new component for a press at the global pixel (x, y), made with new. This strategy
    // passes 0 as `applicationValue`; what it means is the subclass's choice.
    virtual VisComponent* createComponent(unsigned x, unsigned y, std::uint32_t applicationValue) = 0;
};

#endif
