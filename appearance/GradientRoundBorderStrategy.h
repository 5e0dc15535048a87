#ifndef DRAVIK_APPEARANCE_GRADIENTROUNDBORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_GRADIENTROUNDBORDERSTRATEGY_H

#include "appearance/RoundBorderBase.h"

// A soft band around the circle of RoundBorderBase: it fades from the border colour on the
// circle to full transparency `borderWidth` further out, over `numberSegments` steps. Colours
// and widths are compiled into the two band lists as in GradientBorderStrategy; the
// component's alpha does not apply. The disc inside the circle, not the band, picks.
class DRAVIK_API GradientRoundBorderStrategy : public RoundBorderBase {
protected:
    void createDisplayList() override;
    void drawOutline(bool selected) override;

    DisplayList selectedDisplayList;
};

#endif
