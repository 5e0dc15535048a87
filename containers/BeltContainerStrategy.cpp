#include "containers/BeltContainerStrategy.h"

#include <GL/gl.h>

#include <algorithm>

#include "containers/detail/ClosedBand.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

BeltContainerStrategy::BeltContainerStrategy(double beltWidth, unsigned numControlPoints, unsigned splineLevels)
    : BoundedContainerStrategy(numControlPoints, splineLevels), beltWidth(0.0) {
    setBeltWidth(beltWidth);
}

void BeltContainerStrategy::setBeltWidth(double width) {
    if (isFiniteValue(width)) beltWidth = std::clamp(width, -kMaxReach, kMaxReach);
}

std::size_t BeltContainerStrategy::bandPointCount() {
    return sharedPointCount({&outerSpline, &outerBorderSpline, &innerSpline, &innerBorderSpline});
}

void BeltContainerStrategy::setDefaultBounds(bool ellipse) {
    if (component == nullptr) return;
    double hw, hh;
    defaultHalfExtent(hw, hh);
    // The inner outline must lie inside the outer one: a belt wider than that (or negative)
    // would make the component grow around it.
    beltWidth = std::clamp(beltWidth, 0.0, std::max(0.0, std::min(hw, hh) - borderWidth));
    for (Spline* s : {&outerSpline, &outerBorderSpline, &innerSpline, &innerBorderSpline}) s->setLevel(splineLevels);
    for (unsigned i = 0; i < numControlPoints; ++i) {
        const Spline::SplinePoint outer = defaultShapePoint(i, ellipse, hw, hh, borderWidth);
        const Spline::SplinePoint inner = defaultShapePoint(i, ellipse, hw, hh, borderWidth + beltWidth);
        outerSpline.addControlPoint(outer.x, outer.y);
        outerBorderSpline.addControlPoint(outer.x, outer.y);
        innerSpline.addControlPoint(inner.x, inner.y);
        innerBorderSpline.addControlPoint(inner.x, inner.y);
    }
    evaluateSplines();
}

void BeltContainerStrategy::evaluateSplines() {
    BoundedContainerStrategy::evaluateSplines();
    innerSpline.evaluate();
    calculateInnerBorder();
    innerBorderSpline.evaluate();
}

void BeltContainerStrategy::calculateInnerBorder() { offsetSpline(innerSpline, innerBorderSpline, borderWidth); }

void BeltContainerStrategy::adjustSizeAndPosition() {
    if (component == nullptr || bandPointCount() == 0) return;
    fitComponentTo({&outerSpline, &outerBorderSpline, &innerSpline, &innerBorderSpline}, 2);
}

void BeltContainerStrategy::initializeCPButtonValues() {
    BoundedContainerStrategy::initializeCPButtonValues();
    innerCpButtonValues.clear();
    for (unsigned j = 0; j < numControlPoints; ++j)
        innerCpButtonValues.push_back(lookUpButtonValue("CP_IN_" + std::to_string(j)));
}

int BeltContainerStrategy::findControlPoint(unsigned char value) const {
    if (const int outer = obtainIndex(cpButtonValues, value); outer >= 0) return outer;
    const int inner = obtainIndex(innerCpButtonValues, value);
    return inner >= 0 ? static_cast<int>(numControlPoints) + inner : -1;
}

void BeltContainerStrategy::fillButtonBuffer(IBuffer<unsigned char>* buffer) {
    if (buffer == nullptr) return;
    buffer->fill(noButtonValue);
    if (const std::size_t n = bandPointCount(); n != 0) {
        const std::vector<Point> outer = toGridPoints(outerSpline, *buffer, n);
        const std::vector<Point> outerBorder = toGridPoints(outerBorderSpline, *buffer, n);
        const std::vector<Point> inner = toGridPoints(innerSpline, *buffer, n);
        const std::vector<Point> innerBorder = toGridPoints(innerBorderSpline, *buffer, n);
        fillBand(buffer, outer, inner, rntAreaValue);
        fillBand(buffer, outerBorder, outer, translationAreaValue);
        fillBand(buffer, innerBorder, inner, translationAreaValue);
    }
    if (displayControlPoints) {
        stampControlPoints(buffer, outerSpline, cpButtonValues);
        stampControlPoints(buffer, innerSpline, innerCpButtonValues);
    }
}

void BeltContainerStrategy::moveControlPointBy(unsigned index, double dx, double dy) {
    if (index >= numControlPoints)
        moveWithinReach(innerSpline, index - numControlPoints, dx, dy);
    else
        moveWithinReach(outerSpline, index, dx, dy);
}

void BeltContainerStrategy::createDisplayLists() {
    BoundedContainerStrategy::createDisplayLists();
    compileRing(innerSpline, innerBorderSpline, innerPickingBorderList, innerBorderList, innerSelectedBorderList);
}

void BeltContainerStrategy::drawInnerRegion() {
    const std::vector<Point>& outer = *outerSpline.getSplinePoints();
    const std::vector<Point>& inner = *innerSpline.getSplinePoints();
    const std::size_t n = sharedPointCount({&outerSpline, &innerSpline});
    if (n == 0) return;
    glBegin(GL_QUAD_STRIP);
    detail::forEachClosedStripPair(n, [&](std::size_t i) {
        glVertex3d(inner[i].x, inner[i].y, 0.0);
        glVertex3d(outer[i].x, outer[i].y, 0.0);
    });
    glEnd();
}

void BeltContainerStrategy::drawBorder(bool picking) {
    BoundedContainerStrategy::drawBorder(picking);
    if (picking)
        innerPickingBorderList.call();
    else
        (highlighted ? innerSelectedBorderList : innerBorderList).call();
}

void BeltContainerStrategy::drawControlPoints() {
    BoundedContainerStrategy::drawControlPoints();
    drawControlPointMarks(innerSpline, selectedControlPoint - static_cast<int>(numControlPoints));
}
