#ifndef DRAVIK_APPEARANCE_ROUNDBORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_ROUNDBORDERSTRATEGY_H

#include <cstdint>
#include <vector>

#include "appearance/BorderStrategy.h"
#include "framework/Export.h"

// A circle instead of the rectangle, drawn as a line loop of `numberSegments` edges like
// BorderStrategy's outline (line widths, colours with the component's alpha multiplied in,
// the selected outline on top). Its radius is the component's smaller half extent times the
// component's scale along that axis, and the circle is then drawn under the component's
// transform, so the scale counts twice: a 200 x 100 component of scale 1 has radius 50, with
// scale y 2 radius 100, drawn 200 pixels high.
//
// The lists are rebuilt when the component's size or scale changes (a scale that is not a
// number counts as changed); a new segment count shows only after such a change.
//
// Touches: the disc inside the circle picks the component; it may reach beyond the
// component's rectangle when the scale is above 1.
class DRAVIK_API RoundBorderStrategy : public BorderStrategy {
public:
    RoundBorderStrategy();
    RoundBorderStrategy(const RoundBorderStrategy& other);
    RoundBorderStrategy& operator=(const RoundBorderStrategy& other);
    ~RoundBorderStrategy() override;

    void setNumberSegments(std::uint32_t segments) { numberSegments = segments; }
    std::uint32_t getNumberSegements() const { return numberSegments; }

protected:
    void createDisplayList() override;
    bool displayListsOutdated() const override;
    void drawForPicking() override;
    void extendPickingBounds(LocalBounds& bounds) const override;
    void deleteDisplayLists() override;

    std::uint32_t numberSegments = 36;
    double listScaleX = 1.0;  // component scale when the lists were built
    double listScaleY = 1.0;
    std::uint32_t pickingList = 0;  // the disc, without colour
};

#endif
