#ifndef DRAVIK_APPEARANCE_GRADIENTBORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_GRADIENTBORDERSTRATEGY_H

#include "appearance/BorderStrategy.h"
#include "framework/Export.h"

// A soft band around the component's rectangle instead of a line: it fades from the border
// colour at the component's edge to full transparency `borderWidth` pixels further out, with
// mitred corners. Blending is the host's state. The colours and band widths are compiled into
// two display lists (normal and selected band), rebuilt when the size changes or a colour or
// width is set; the component's alpha does not apply to the band.
//
// Touches: the component's rectangle, not the band, picks the component.
class DRAVIK_API GradientBorderStrategy : public BorderStrategy {
public:
    GradientBorderStrategy();  // bands 5 pixels wide, opaque white fading out

protected:
    void createDisplayList() override;
    void drawOutline(bool selected) override;

    // Emits the band between the corners p1..p4 (x, y, z each, in the order top left, bottom
    // left, bottom right, top right) and their points `width` further out on the diagonals:
    // a GL_QUAD_STRIP from the corner in `color` to the outer point in the colour with alpha 0.
    void drawGradientBorder(const double* color, double width, const double* p1, const double* p2,
                            const double* p3, const double* p4);

    DisplayList selectedDisplayList;
};

#endif
