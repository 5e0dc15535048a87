#ifndef DRAVIK_APPEARANCE_ROUNDBORDERBASE_H
#define DRAVIK_APPEARANCE_ROUNDBORDERBASE_H

#include <cstdint>

#include "appearance/BorderStrategy.h"

// What the round borders share: the circle they draw about, of `numberSegments` edges, whose
// radius is the component's smaller half extent times the component's scale along that axis;
// lists rebuilt when the component's size or scale changes (a scale that is not a number
// counts as changed), a new segment count showing only after such a change; and picking by
// the disc inside the circle, which may reach beyond the component's rectangle when the
// scale is above 1.
class DRAVIK_API RoundBorderBase : public BorderStrategy {
public:
    void setNumberSegments(std::uint32_t segments) { numberSegments = segments; }
    std::uint32_t getNumberSegements() const { return numberSegments; }

protected:
    RoundBorderBase() = default;
    // A copy has the same segment count and builds lists of its own.
    RoundBorderBase(const RoundBorderBase& other);
    RoundBorderBase& operator=(const RoundBorderBase& other);

    // Remembers the component's size and scale as the ones the lists are built for, compiles
    // the picking disc and returns the circle's radius; false without a component.
    bool takeCircle(double& radius);
    bool displayListsOutdated() const override;
    void drawForPicking() override;
    void extendPickingBounds(LocalBounds& bounds) const override;

    std::uint32_t numberSegments = 36;
    double listScaleX = 1.0;  // component scale when the lists were built
    double listScaleY = 1.0;
    DisplayList pickingList;  // the disc, without colour

private:
    double radius() const;
};

#endif
