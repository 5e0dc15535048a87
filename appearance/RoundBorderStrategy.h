#ifndef DRAVIK_APPEARANCE_ROUNDBORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_ROUNDBORDERSTRATEGY_H

#include "appearance/RoundBorderBase.h"

// A circle instead of the rectangle, drawn as a line loop of `numberSegments` edges like
// BorderStrategy's outline (line widths, colours with the component's alpha multiplied in,
// the selected outline on top). The circle (see RoundBorderBase) is drawn under the
// component's transform, so the scale counts twice: a 200 x 100 component of scale 1 has
// radius 50, with scale y 2 radius 100, drawn 200 pixels high.
class DRAVIK_API RoundBorderStrategy : public RoundBorderBase {
protected:
    void createDisplayList() override;
};

#endif
