#ifndef DRAVIK_MANIPULATION_FRICTIONSURFACESTRATEGY_H
#define DRAVIK_MANIPULATION_FRICTIONSURFACESTRATEGY_H

#include "framework/Export.h"
#include "framework/IBuffer.h"
#include "framework/VisComponentStrategy.h"

// Makes the component a surface that tossed components slide on.
//
// Offers a "FRICTION_BUFFER" grid as large as the component: `innerFriction` over the
// interior and `borderFriction` over a band `borderWidth` cells wide along the left and right
// edges and `borderHeight` cells high along the top and bottom. With the defaults a tossed
// component loses 1 % of its speed per frame inside and stops dead on the band. Changed
// values reach the grid at the next resize. The surface is a container: whatever is dropped
// on it lies on it and moves with it.
class DRAVIK_API FrictionSurfaceStrategy : public VisComponentStrategy {
public:
    FrictionSurfaceStrategy() = default;
    // The copy sits on no component; it makes its own grid when it joins one.
    FrictionSurfaceStrategy(const FrictionSurfaceStrategy&) = default;
    FrictionSurfaceStrategy& operator=(const FrictionSurfaceStrategy&) = default;
    ~FrictionSurfaceStrategy() override = default;

    unsigned getBorderWidth() const { return borderWidth; }
    void setBorderWidth(unsigned width) { borderWidth = width; }
    unsigned getBorderHeight() const { return borderHeight; }
    void setBorderHeight(unsigned height) { borderHeight = height; }
    double getInnerFriction() const { return innerFriction; }
    void setInnerFriction(double friction) { innerFriction = friction; }
    double getBorderFriction() const { return borderFriction; }
    void setBorderFriction(double friction) { borderFriction = friction; }

protected:
    void initProperties() override;
    void resize(unsigned w, unsigned h) override;
    bool acceptsDrops() const override { return true; }

    // Border friction everywhere, then inner friction over the cells inside the band.
    void fillFrictionBuffer(IBuffer<double>* buffer);

    unsigned borderWidth = 20;
    unsigned borderHeight = 20;
    double innerFriction = 0.01;
    double borderFriction = 1.0;
    unsigned frictionBufferType = 0;
};

#endif
