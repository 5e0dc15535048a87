#ifndef DRAVIK_LIFECYCLE_DESTRUCTIONSTRATEGY_H
#define DRAVIK_LIFECYCLE_DESTRUCTIONSTRATEGY_H

#include "framework/Export.h"
#include "lifecycle/AnimationStrategy.h"

class VisComponent;

// The animation a component plays before a bin (DestroyerStrategy) destroys it. The bin
// starts it with a "START_ANIMATION" event that names the bin; when the animation ends, this
// strategy sends that component a "READY_TO_DIE" event naming its own component, and the bin
// destroys it at its next frame.
//
// The application writes the animation itself (performAnimation, e.g. shrink and fade). A
// subclass that overrides onAnimationStart or onAnimationEnd must call these versions.
//
// A start event that names no component ends without a report. Neither is a report sent to
// a component that has been destroyed while the animation ran (a bin inside a bin, say).
class DRAVIK_API DestructionStrategy : public AnimationStrategy {
public:
    DestructionStrategy();
    DestructionStrategy(const DestructionStrategy&) = default;
    DestructionStrategy& operator=(const DestructionStrategy&) = default;
    ~DestructionStrategy() override;

    VisComponent* getTarget() const { return target; }

protected:
    void onAnimationStart(DravikEvent* event) override;
    void onAnimationEnd() override;

    VisComponent* target = nullptr;  // told when the animation is over; not owned

private:
    // Whether `target` still exists: it is looked up again by identifier in its scene.
    bool targetAlive() const;

    unsigned long targetId = 0;
    bool targetInScene = false;  // the target was in this component's scene at the start
};

#endif
