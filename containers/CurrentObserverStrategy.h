#ifndef DRAVIK_CONTAINERS_CURRENTOBSERVERSTRATEGY_H
#define DRAVIK_CONTAINERS_CURRENTOBSERVERSTRATEGY_H

#include <vector>

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// Put on items that ride a current belt (CurrentBeltContainerStrategy). It reads the belt's
// "SIZE_BUFFER", "ORIENTATION_BUFFER" and "DIRECTION_BUFFER" grids as passive grids, at the
// cell under the item's position, every time the framework has passive grids read:
//   size v > 0: the item is scaled to measure v x v pixels;
//   orientation (x, y) other than (0, 0): the item's angle becomes that of the vector, as
//       acos(y / |v|), negated when x > 0 (so (0, 1) is angle 0, (-1, 0) a quarter turn);
//   direction (x, y): the item and its subtree move by it.
// Off the belt, or where a grid cannot be read, it reads 0: the item keeps its size and
// angle and does not move. A drop lands on a belt when the new parent carries a
// CurrentBeltContainerStrategy; the item then reads the grids once at once.
class DRAVIK_API CurrentObserverStrategy : public VisComponentStrategy {
public:
    CurrentObserverStrategy() = default;
    CurrentObserverStrategy(const CurrentObserverStrategy&) = default;
    CurrentObserverStrategy& operator=(const CurrentObserverStrategy&) = default;
    ~CurrentObserverStrategy() override = default;

protected:
    void initProperties() override;
    bool drop(bool animate) override;
    void readPassiveBuffers(const std::vector<unsigned>& types) override;
    void readAllPassiveBuffers() override;
    void readAllPickingPassiveBuffers() override;
    virtual void readDirection();

    void readSize();
    void readOrientation();

    unsigned sizeBufferType = 0;
    unsigned orientationBufferType = 0;
    unsigned directionBufferType = 0;

private:
    // The values of the passive grid of `type` under the item's position; `values` stays as
    // it is when there are none.
    void readCell(unsigned type, double* values) const;
};

#endif
