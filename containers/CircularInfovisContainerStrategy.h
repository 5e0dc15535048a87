#ifndef DRAVIK_CONTAINERS_CIRCULARINFOVISCONTAINERSTRATEGY_H
#define DRAVIK_CONTAINERS_CIRCULARINFOVISCONTAINERSTRATEGY_H

#include "containers/InfovisContainerStrategy.h"
#include "framework/Export.h"

// An InfovisContainerStrategy picked only inside the largest circle centred in the
// component's rectangle: a polygon of n = 360 / segmentAngle + 0.5 (truncated) edges. An
// angle that gives fewer than one edge (0, negative, NaN) or more than 65536 edges picks
// nothing.
class DRAVIK_API CircularInfovisContainerStrategy : public InfovisContainerStrategy {
public:
    // Degrees spanned by one edge of the polygon.
    explicit CircularInfovisContainerStrategy(double segmentAngle = 10.0);
    CircularInfovisContainerStrategy(const CircularInfovisContainerStrategy&) = default;
    CircularInfovisContainerStrategy& operator=(const CircularInfovisContainerStrategy&) = default;
    ~CircularInfovisContainerStrategy() override;

    double getSegmentAngle() const { return segmentAngle; }

protected:
    // Records a triangle fan from the centre through the rim points at angles 0, step, ...,
    // n x step (the last closes the fan on the first).
    void createDisplayList() override;

    double segmentAngle;
};

#endif
