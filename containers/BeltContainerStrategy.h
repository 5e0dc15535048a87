#ifndef DRAVIK_CONTAINERS_BELTCONTAINERSTRATEGY_H
#define DRAVIK_CONTAINERS_BELTCONTAINERSTRATEGY_H

#include "containers/BoundedContainerStrategy.h"
#include "framework/Export.h"

// A bounded container whose usable area is a belt: the band between the outline and a
// second, inner outline `beltWidth` pixels inside it (in the default shape). Both outlines
// have their own border ring and draggable control points; the hole inside the inner ring
// is empty ("NO_BUTTON" in the button grid) and is not drawn.
//
// Button grid: "RNT_AREA" on the belt, "TRANSLATION_AREA" on both rings, "CP_OUT_" i and
// "CP_IN_" i discs at the outer and inner control points. Control points are numbered
// outer first: index numControlPoints + j is inner control point j.
//
// The default shape holds the belt width within what the component holds: from 0 up to the
// smaller half extent less `borderWidth` (the inner outline then shrinks to a line through
// the centre), so that the component keeps its size. Drags and setInnerSpline may still
// make an inner outline that crosses the centre; everything runs. The belt width is kept
// within kMaxReach either way.
class DRAVIK_API BeltContainerStrategy : public BoundedContainerStrategy {
public:
    explicit BeltContainerStrategy(double beltWidth = 100.0, unsigned numControlPoints = 4, unsigned splineLevels = 4);
    BeltContainerStrategy(const BeltContainerStrategy&) = default;
    BeltContainerStrategy& operator=(const BeltContainerStrategy&) = default;
    ~BeltContainerStrategy() override = default;

    double getBeltWidth() const { return beltWidth; }
    void setBeltWidth(double width);  // not a number: ignored
    Spline getInnerSpline() const { return innerSpline; }
    void setInnerSpline(Spline spline) { innerSpline = std::move(spline); }
    Spline getInnerBorderSpline() const { return innerBorderSpline; }
    void setInnerBorderSpline(Spline spline) { innerBorderSpline = std::move(spline); }

protected:
    void createDisplayLists() override;
    void setDefaultBounds(bool ellipse) override;
    void adjustSizeAndPosition() override;
    void evaluateSplines() override;
    void drawInnerRegion() override;
    void drawBorder(bool picking) override;
    void drawControlPoints() override;
    void moveControlPointBy(unsigned index, double dx, double dy) override;
    void fillButtonBuffer(IBuffer<unsigned char>* buffer) override;
    void initializeCPButtonValues() override;
    int findControlPoint(unsigned char value) const override;

    // Inner border control points: the inner outline's moved `borderWidth` along its
    // normals, toward the hole.
    void calculateInnerBorder();
    // The spline points that all four outlines use (0 when one has none).
    std::size_t bandPointCount();

    Spline innerSpline;
    Spline innerBorderSpline;
    double beltWidth;
    DisplayList innerBorderList, innerSelectedBorderList, innerPickingBorderList;
    std::vector<unsigned char> innerCpButtonValues;
};

#endif
