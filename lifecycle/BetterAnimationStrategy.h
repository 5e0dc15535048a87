#ifndef DRAVIK_LIFECYCLE_BETTERANIMATIONSTRATEGY_H
#define DRAVIK_LIFECYCLE_BETTERANIMATIONSTRATEGY_H

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

class FrameTimer;

// A clock-driven animation: the parameter is the time since the start divided by the
// duration, read from the frame timer of the component's manager, so the animation lasts
// its duration whatever the frame rate. An event of the start type (by default
// "START_ANIMATION") starts or restarts it. Each frame up to the end time calls
// performAnimation; the first frame after it calls onAnimationEnd, stops and sets the
// parameter back to 0. Frames while the component's `animationsSuspended` is set are
// skipped, but the clock goes on: the animation may jump ahead or end at the next frame.
//
// The duration must be greater than 0: otherwise (NaN included) the constructor and
// setAnimationDuration throw std::invalid_argument. A start needs a frame timer: on a
// component whose manager has none the start event is ignored.
class DRAVIK_API BetterAnimationStrategy : public VisComponentStrategy {
public:
    // Started by "START_ANIMATION" events.
    explicit BetterAnimationStrategy(double animationDuration);
    BetterAnimationStrategy(double animationDuration, unsigned startEventType);
    // Copies carry the running state too; the copy sits on no component.
    BetterAnimationStrategy(const BetterAnimationStrategy&) = default;
    BetterAnimationStrategy& operator=(const BetterAnimationStrategy&) = default;
    ~BetterAnimationStrategy() override;

    double getAnimationDuration() const { return animationDuration; }
    // Throws std::invalid_argument, and keeps the old duration, unless seconds > 0.
    void setAnimationDuration(double seconds);
    double getAnimationParameter() const { return animationParameter; }
    bool isAnimating() const { return animating; }
    unsigned getStartEventType() const { return startEventType; }

protected:
    void initProperties() override;
    void process() override;
    void onEvent(DravikEvent* event) override;

    // Applies the animation for the current parameter.
    virtual void performAnimation() = 0;
    // The animation is over; it runs after the animation has stopped.
    virtual void onAnimationEnd() {}
    // The animation starts on `event`.
    virtual void onAnimationStart(DravikEvent* event) { (void)event; }

    bool animating = false;
    double startTime = 0.0;  // seconds of the frame timer
    double endTime = 0.0;
    double animationDuration;
    double inverseDuration;
    double animationParameter = 0.0;
    unsigned startEventType;
    FrameTimer* frameTimer = nullptr;  // the manager's, not owned
};

#endif
