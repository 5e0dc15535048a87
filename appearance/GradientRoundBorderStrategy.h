#ifndef DRAVIK_APPEARANCE_GRADIENTROUNDBORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_GRADIENTROUNDBORDERSTRATEGY_H

#include <cstdint>
#include <vector>

#include "appearance/BorderStrategy.h"
#include "framework/Export.h"

// A soft band around the circle of RoundBorderStrategy (same radius and rebuild rule): it
// fades from the border colour on the circle to full transparency `borderWidth` further out,
// over `numberSegments` steps. Colours and widths are compiled into the two band lists as in
// GradientBorderStrategy; the component's alpha does not apply.
//
// Touches: the disc inside the circle, not the band, picks the component.
class DRAVIK_API GradientRoundBorderStrategy : public BorderStrategy {
public:
    GradientRoundBorderStrategy();
    GradientRoundBorderStrategy(const GradientRoundBorderStrategy& other);
    GradientRoundBorderStrategy& operator=(const GradientRoundBorderStrategy& other);
    ~GradientRoundBorderStrategy() override;

    void setNumberSegments(std::uint32_t segments) { numberSegments = segments; }
    std::uint32_t getNumberSegements() const { return numberSegments; }

protected:
    void createDisplayList() override;
    bool displayListsOutdated() const override;
    void drawOutline(bool selected) override;
    void drawForPicking() override;
    void extendPickingBounds(LocalBounds& bounds) const override;
    void deleteDisplayLists() override;

    std::uint32_t numberSegments = 36;
    std::uint32_t selectedDisplayList = 0;
    double listScaleX = 1.0;
    double listScaleY = 1.0;
    std::uint32_t pickingList = 0;  // the disc, without colour
};

#endif
