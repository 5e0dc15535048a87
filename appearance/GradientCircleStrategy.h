#ifndef DRAVIK_APPEARANCE_GRADIENTCIRCLESTRATEGY_H
#define DRAVIK_APPEARANCE_GRADIENTCIRCLESTRATEGY_H

#include <cstdint>
#include <vector>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// A soft round spot for small marker components: an octagon of radius 1 in component
// coordinates, in `color` at the centre, fading to alpha 32 (of 255) at the rim whatever the
// centre's alpha. Its size on screen is the component's scale; width and height play no part.
// Blending is the host's state.
//
// The spot is compiled at the first draw and kept: colour changes after it do not show.
//
// Touches: the octagon picks the component.
class DRAVIK_API GradientCircleStrategy : public VisComponentStrategy {
public:
    explicit GradientCircleStrategy(unsigned char red = 255, unsigned char green = 255, unsigned char blue = 255,
                                    unsigned char alpha = 255);
    // A copy has the same colour and builds its own display list at its first draw.
    GradientCircleStrategy(const GradientCircleStrategy& other);
    GradientCircleStrategy& operator=(const GradientCircleStrategy& other);

    unsigned char* getColor() { return color; }  // red, green, blue, alpha
    void setColor(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha);

protected:
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;
    void extendPickingBounds(LocalBounds& bounds) const override;

    void createDisplayList();

private:
    DisplayList displayList;
    unsigned char color[4];
    DisplayList pickingList;  // the octagon, without colour
};

#endif
