#ifndef DRAVIK_MANIPULATION_LAZYRNTSTRATEGY_H
#define DRAVIK_MANIPULATION_LAZYRNTSTRATEGY_H

#include "framework/Export.h"
#include "manipulation/RNTStrategy.h"

// An RNTStrategy that starts turning and moving from a press anywhere inside the component,
// whatever its button grid says (or without one).
class DRAVIK_API LazyRNTStrategy : public RNTStrategy {
public:
    LazyRNTStrategy() = default;
    LazyRNTStrategy(const LazyRNTStrategy&) = default;
    LazyRNTStrategy& operator=(const LazyRNTStrategy&) = default;
    ~LazyRNTStrategy() override = default;

protected:
    bool activateRNT(const Point3d& point) override;
};

#endif
