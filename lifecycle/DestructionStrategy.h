#ifndef DRAVIK_LIFECYCLE_DESTRUCTIONSTRATEGY_H
#define DRAVIK_LIFECYCLE_DESTRUCTIONSTRATEGY_H

#include "framework/Export.h"
#include "framework/Point3d.h"
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
//
// A component taken back out of the bin that started its destruction comes back whole: from
// the first frame in which it no longer lies in that bin, whether its animation still runs
// or has already reported, the destruction is called off (no report follows) and
// onDestructionCalledOff restores it. A destruction that the bin acts on while the
// component still lies in it (held by a finger or not) ends in destruction. A new start
// restores the component before the animation starts again.
class DRAVIK_API DestructionStrategy : public AnimationStrategy {
public:
    DestructionStrategy();
    DestructionStrategy(const DestructionStrategy&) = default;
    DestructionStrategy& operator=(const DestructionStrategy&) = default;
    ~DestructionStrategy() override;

    VisComponent* getTarget() const { return target; }
    // The component's scale and colour when the destruction started.
    const Point3d& getStartScale() const { return startScale; }
    const double* getStartColor() const { return startColor; }

protected:
    void process() override;
    void onAnimationStart(DravikEvent* event) override;
    void onAnimationEnd() override;
    // The destruction was called off. This one gives the component back the scale and colour
    // it had at the start; an animation that changes more restores that too.
    virtual void onDestructionCalledOff();

    VisComponent* target = nullptr;  // told when the animation is over; not owned

private:
    // Whether `target` still exists: it is looked up again by identifier in its scene.
    bool targetAlive() const;

    // Whether the component was taken out of the bin it lay in at the start.
    bool leftItsBin() const;

    unsigned long targetId = 0;
    bool targetInScene = false;  // the target was in this component's scene at the start
    bool startedInTarget = false;  // the component lay in the target at the start
    Point3d startScale{1.0, 1.0, 1.0};
    double startColor[4] = {1.0, 1.0, 1.0, 1.0};
};

#endif
