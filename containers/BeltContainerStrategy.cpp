#include "containers/BeltContainerStrategy.h"

#include <GL/gl.h>

#include <algorithm>

#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

BeltContainerStrategy::BeltContainerStrategy(double beltWidth, unsigned numControlPoints, unsigned splineLevels)
    : BoundedContainerStrategy(numControlPoints, splineLevels), beltWidth(0.0) {
    setBeltWidth(beltWidth);
}

void BeltContainerStrategy::setBeltWidth(double width) {
    if (isFiniteValue(width)) beltWidth = std::clamp(width, -kMaxReach, kMaxReach);
}

bool BeltContainerStrategy::hasAllSplinePoints() {
    for (Spline* s : {&outerSpline, &outerBorderSpline, &innerSpline, &innerBorderSpline})
        if (s->getSplinePoints()->empty()) return false;
    return true;
}

void BeltContainerStrategy::setDefaultBounds(bool ellipse) {
    if (component == nullptr) return;
    double hw, hh;
    defaultHalfExtent(hw, hh);
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
    if (component == nullptr || !hasAllSplinePoints()) return;
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
    if (hasAllSplinePoints()) {
        const std::vector<GridCorner> outer = toGridCorners(outerSpline, *buffer);
        const std::vector<GridCorner> outerBorder = toGridCorners(outerBorderSpline, *buffer);
        const std::vector<GridCorner> inner = toGridCorners(innerSpline, *buffer);
        const std::vector<GridCorner> innerBorder = toGridCorners(innerBorderSpline, *buffer);
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
    const std::vector<Spline::SplinePoint>& outer = *outerSpline.getSplinePoints();
    const std::vector<Spline::SplinePoint>& inner = *innerSpline.getSplinePoints();
    const std::size_t n = std::min(outer.size(), inner.size());
    if (n == 0) return;
    glBegin(GL_QUAD_STRIP);
    for (std::size_t k = 0; k <= n; ++k) {
        const std::size_t i = k % n;
        glVertex3d(inner[i].x, inner[i].y, 0.0);
        glVertex3d(outer[i].x, outer[i].y, 0.0);
    }
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
