#ifndef DRAVIK_LIFECYCLE_DESTROYERSTRATEGY_H
#define DRAVIK_LIFECYCLE_DESTROYERSTRATEGY_H

#include <vector>

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

class VisComponent;

// Makes its component a bin: every component that becomes its child (dropped onto it, say)
// is destroyed, with its subtree. A child without a DestructionStrategy goes at the bin's
// next frame. A child with one is first sent one "START_ANIMATION" event naming the bin, and
// is destroyed at the bin's first frame after its "READY_TO_DIE" report.
//
// Destroying a component takes it out of every list of its scene: the selection (the users
// who held it hold nothing), the touch indicators' targets and the grids it offered.
//
// Identifiers of children still animating, and of reports not yet acted on, are kept as
// long as their component exists: an identifier whose component has been destroyed elsewhere
// is forgotten when the next one is recorded, so that the lists never grow without bound.
//
// A component this bin started that no longer lies in it (dragged out and dropped before the
// bin acted on its report) has called off its destruction and come back whole (see
// DestructionStrategy): the bin forgets it at its next frame, so that dropping it in again
// starts its destruction again. One still in the bin when its report is acted on is
// destroyed, held or not.
class DRAVIK_API DestroyerStrategy : public VisComponentStrategy {
public:
    DestroyerStrategy() = default;
    DestroyerStrategy(const DestroyerStrategy&) = default;
    DestroyerStrategy& operator=(const DestroyerStrategy&) = default;
    ~DestroyerStrategy() override;

    const std::vector<unsigned long>& getDyingIds() const { return dyingIds; }
    const std::vector<unsigned long>& getDeadIds() const { return deadIds; }

protected:
    void process() override;
    void onEvent(DravikEvent* event) override;
    bool acceptsDrops() const override { return true; }

    std::vector<unsigned long> dyingIds;  // sent the start of their animation, no report yet
    std::vector<unsigned long> deadIds;   // reported, not destroyed yet

private:
    void startDestruction(VisComponent* child);
    // Forgets the components this bin started that are no longer its children.
    void forgetDeparted();
    // Appends the identifier after dropping those of components that no longer exist.
    void record(std::vector<unsigned long>& list, unsigned long id) const;

    std::vector<VisComponent*> children;  // this frame's copy, kept across frames
    std::vector<unsigned long> startedIds;  // sent the start by this bin, not destroyed yet
};

#endif
