#ifndef DRAVIK_MANIPULATION_TOUCHINDICATORSTRATEGY_H
#define DRAVIK_MANIPULATION_TOUCHINDICATORSTRATEGY_H

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// Makes its component a marker that shows where a touch is: every event it receives, of any
// type and user, puts the component's position at the event's x and y (z stays).
//
// It draws nothing for picking: an indicator lies under the finger it follows and must never
// catch that finger's touches (the manager leaves indicators out of picking altogether).
class DRAVIK_API TouchIndicatorStrategy : public VisComponentStrategy {
public:
    TouchIndicatorStrategy() = default;
    TouchIndicatorStrategy(const TouchIndicatorStrategy&) = default;
    TouchIndicatorStrategy& operator=(const TouchIndicatorStrategy&) = default;
    ~TouchIndicatorStrategy() override;

protected:
    void onEvent(DravikEvent* event) override;
};

#endif
