#ifndef DRAVIK_LIFECYCLE_ANIMATIONSTRATEGY_H
#define DRAVIK_LIFECYCLE_ANIMATIONSTRATEGY_H

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// A frame-counted animation. An event of the start type (by default "START_ANIMATION")
// starts it: the parameter goes from 0 toward 1 by a fixed step per frame, the step being
// 1 / (the manager's frame rate x the duration) taken at the start, so that the animation
// lasts about `animationDuration` seconds at the frame rate of that moment. Each frame with
// a parameter in [0, 1] calls performAnimation and then adds the step; the first frame after
// that calls onAnimationEnd and stops. A start during a running animation restarts it.
// While the component's `animationsSuspended` is set, frames change nothing.
//
// Subclasses implement performAnimation (reading getAnimationParameter()) and may override
// the two hooks.
//
// Durations and steps are taken as given. A negative or NaN duration keeps the step that was
// there (0.1 after construction). A frame rate of 0 (no frame measured yet, or a component
// outside any scene) or a duration of 0 gives an infinite step: performAnimation runs once,
// with parameter 0, and the animation ends in the next frame.
class DRAVIK_API AnimationStrategy : public VisComponentStrategy {
public:
    // Started by "START_ANIMATION" events.
    AnimationStrategy();
    explicit AnimationStrategy(unsigned startEventType);
    // Copies carry the running state too; the copy sits on no component.
    AnimationStrategy(const AnimationStrategy&) = default;
    AnimationStrategy& operator=(const AnimationStrategy&) = default;
    ~AnimationStrategy() override;

    double getAnimationDuration() const { return animationDuration; }
    void setAnimationDuration(double seconds) { animationDuration = seconds; }
    double getAnimationParameter() const { return animationParameter; }
    void setAnimationParameter(double parameter) { animationParameter = parameter; }
    double getAnimationStep() const { return animationStep; }
    void setAnimationStep(double step) { animationStep = step; }
    bool isAnimating() const { return animating; }
    unsigned getStartEventType() const { return startEventType; }

protected:
    void process() override;
    void onEvent(DravikEvent* event) override;

    // Applies the animation for the current parameter.
    virtual void performAnimation() = 0;
    // The animation is over. It runs after the animation has stopped, so that it may start
    // the next round (by sending itself a start event).
    virtual void onAnimationEnd() {}
    // The animation starts on `event`, before the parameter is set to 0.
    virtual void onAnimationStart(DravikEvent* event) { (void)event; }

    bool animating = false;
    double animationStep = 0.1;       // added to the parameter per frame
    double animationParameter = 0.0;  // 0 at the start
    double animationDuration = 1.0;   // seconds
    unsigned startEventType;
};

#endif
