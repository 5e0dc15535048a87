#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "containers/Spline.h"

namespace {

using Point = Spline::SplinePoint;

// The unit square's corners, counter-clockwise from the top right.
Spline square(unsigned long level) {
    Spline s(level, true);
    s.addControlPoint(1, 1);
    s.addControlPoint(-1, 1);
    s.addControlPoint(-1, -1);
    s.addControlPoint(1, -1);
    return s;
}

template <class Exception, class Fn>
void expectThrows(Fn&& fn, const std::string& message) {
    try {
        fn();
        ADD_FAILURE() << "no exception: " << message;
    } catch (const Exception& e) {
        EXPECT_EQ(e.what(), message);
    }
}

}  // namespace

TEST(Spline, LevelZeroKeepsTheControlPointsAndGivesNormalsPointingLeftOfTravel) {
    Spline s = square(0);
    s.evaluate();
    ASSERT_EQ(s.getNumSplinePoints(), 4u);
    const auto& points = *s.getSplinePoints();
    EXPECT_EQ(points[2].x, -1.0);
    EXPECT_EQ(points[2].y, -1.0);
    // Counter-clockwise travel: left is inward, along the corner's diagonal.
    const double r = 1.0 / std::sqrt(2.0);
    const auto& normals = *s.getSplinePointNormals();
    EXPECT_NEAR(normals[0].x, -r, 1e-15);
    EXPECT_NEAR(normals[0].y, -r, 1e-15);
    EXPECT_NEAR(normals[3].x, -r, 1e-15);
    EXPECT_NEAR(normals[3].y, r, 1e-15);
    ASSERT_EQ(s.getControlPointNormals()->size(), 4u);
}

TEST(Spline, ClosedSubdivisionInsertsTheFourPointBlend) {
    Spline s = square(1);
    s.evaluate();
    ASSERT_EQ(s.getNumSplinePoints(), 8u);
    // Between P1 and P2: (9 P1 + 9 P2 - P0 - P3) / 16 = (-20 / 16, 0).
    const Point p = (*s.getSplinePoints())[3];
    EXPECT_EQ(p.x, -1.25);
    EXPECT_EQ(p.y, 0.0);
    // Between P3 and P0 the predecessor of P3 and the successor of P0 wrap around.
    EXPECT_EQ((*s.getSplinePoints())[7].x, 1.25);
    // The point is on the curve's axis of symmetry: its normal points straight in.
    EXPECT_NEAR((*s.getSplinePointNormals())[3].x, 1.0, 1e-15);
    EXPECT_NEAR((*s.getSplinePointNormals())[3].y, 0.0, 1e-15);
}

TEST(Spline, OpenEndsUseThemselvesAsOuterNeighbours) {
    Spline s(1, false);
    s.addControlPoint(0, 0);
    s.addControlPoint(4, 8);
    s.addControlPoint(16, 0);
    s.evaluate();
    ASSERT_EQ(s.getNumSplinePoints(), 5u);
    const auto& p = *s.getSplinePoints();
    EXPECT_EQ(p[1].x, 1.25);   // (8 P0 + 9 P1 - P2) / 16
    EXPECT_EQ(p[1].y, 4.5);
    EXPECT_EQ(p[3].x, 10.25);  // (9 P1 - P0 + 8 P2) / 16
    EXPECT_EQ(p[3].y, 4.5);
    // End normals are those of the end segments alone.
    const auto& n = *s.getSplinePointNormals();
    const double len = std::hypot(1.25, 4.5);
    EXPECT_NEAR(n[0].x, -4.5 / len, 1e-15);
    EXPECT_NEAR(n[0].y, 1.25 / len, 1e-15);
}

TEST(Spline, DeeperLevelsInterpolateTheControlPointsAndShareTheirNormals) {
    for (bool closed : {true, false}) {
        Spline s(3, closed);
        const double xs[5] = {0, 40, 90, 70, 10}, ys[5] = {0, -20, 10, 60, 50};
        for (int i = 0; i < 5; ++i) s.addControlPoint(xs[i], ys[i]);
        s.evaluate();
        const unsigned expected = closed ? 5 * 8 : 4 * 8 + 1;
        ASSERT_EQ(s.getNumSplinePoints(), expected);
        ASSERT_EQ(s.getSplinePoints()->size(), expected);
        ASSERT_EQ(s.getSplinePointNormals()->size(), expected);
        ASSERT_EQ(s.getControlPointNormals()->size(), 5u);
        for (unsigned i = 0; i < 5; ++i) {
            const unsigned at = s.getSplinePointIndexFromControlPointIndex(i);
            EXPECT_EQ(at, i * 8);
            EXPECT_EQ((*s.getSplinePoints())[at].x, xs[i]);
            EXPECT_EQ((*s.getSplinePoints())[at].y, ys[i]);
            EXPECT_EQ((*s.getControlPointNormals())[i].x, (*s.getSplinePointNormals())[at].x);
            EXPECT_EQ((*s.getControlPointNormals())[i].y, (*s.getSplinePointNormals())[at].y);
        }
    }
}

TEST(Spline, DegenerateSegmentsGiveZeroNormalsInsteadOfDividingByZero) {
    Spline s(0, false);
    s.addControlPoint(0, 0);
    s.addControlPoint(0, 0);  // coincides with its predecessor
    s.addControlPoint(2, 0);
    s.addControlPoint(0, 0);  // a hairpin: back the way it came
    s.evaluate();
    const auto& n = *s.getSplinePointNormals();
    EXPECT_EQ(n[0].x, 0.0);
    EXPECT_EQ(n[0].y, 0.0);
    EXPECT_EQ(n[1].x, 0.0);  // only the segment 1 -> 2 counts: (0, 1)
    EXPECT_EQ(n[1].y, 1.0);
    EXPECT_EQ(n[2].x, 0.0);  // (0, 1) and (0, -1) cancel
    EXPECT_EQ(n[2].y, 0.0);

    Point a{3, 4}, b{3, 4}, normal{9, 9};
    Spline::calculateNormalVector(&a, &b, &normal);
    EXPECT_EQ(normal.x, 0.0);
    EXPECT_EQ(normal.y, 0.0);
    Point c{0, 0};
    Spline::calculateNormalVector(&a, &c, &normal);  // d = a - c = (3, 4)
    EXPECT_DOUBLE_EQ(normal.x, -0.8);
    EXPECT_DOUBLE_EQ(normal.y, 0.6);
}

TEST(Spline, FewControlPointsAndBadIndicesAreReported) {
    Spline s(2, true);
    s.evaluate();
    EXPECT_TRUE(s.getSplinePoints()->empty());
    s.addControlPoint(5, 6);
    s.evaluate();
    ASSERT_EQ(s.getSplinePoints()->size(), 1u);
    EXPECT_TRUE(s.getSplinePointNormals()->empty());
    EXPECT_EQ(s.getNumSplinePoints(), 0u);

    expectThrows<std::invalid_argument>([&] { s.getControlPoint(1); },
                                        "ERROR in Spline::getControlPoint() - Supplied index parameter is out of bounds.");
    expectThrows<std::invalid_argument>(
        [&] { s.getSplinePointIndexFromControlPointIndex(1); },
        "ERROR in Spline::getSplinePointIndexFromControlPointIndex() - Parameter 'index' is out of bounds.");
    Point p;
    // The range of t is checked before the number of control points.
    expectThrows<std::invalid_argument>(
        [&] { s.getLinearBezierCurvePoint(1.0000001, &p); },
        "ERROR in Spline::getLinearBezierCurvePoint() - Parameter t must be between the range of [0.0, 1.0].");
    expectThrows<std::logic_error>([&] { s.getLinearBezierCurvePoint(0.5, &p); },
                                   "ERROR in Spline::getLinearBezierCurvePoint() - Vector of control points has less "
                                   "then two elements. Linear Bezier curve cannot be evaluated.");

    s.modifyControlPoint(7, 1.0, 1.0);  // ignored
    s.addControlPoint(10, 0);
    s.addControlPoint(-7, 2);
    s.getLinearBezierCurvePoint(0.0, &p);
    EXPECT_EQ(p.x, 5.0);
    s.getLinearBezierCurvePoint(1.0, &p);
    EXPECT_EQ(p.x, -7.0);
    EXPECT_EQ(p.y, 2.0);
}

TEST(Spline, CopiesClearingAndTheLevelLimit) {
    Spline open(2, false);
    open.addControlPoint(0, 0);
    open.addControlPoint(8, 0);
    open.evaluate();
    EXPECT_TRUE(open.copy().isClosed());
    EXPECT_EQ(open.copy().getNumSplinePoints(), 5u);
    EXPECT_FALSE(Spline(open).isClosed());

    open.clearControlPoints();
    EXPECT_EQ(open.getLevel(), 2u);
    EXPECT_EQ(open.getNumSplinePoints(), 0u);
    EXPECT_TRUE(open.getSplinePoints()->empty());

    // Levels beyond the limit are stored as the limit: 2^40 points would not fit in memory.
    Spline deep(40, true);
    EXPECT_EQ(deep.getLevel(), Spline::kMaxLevel);
    deep.setLevel(3);
    EXPECT_EQ(deep.getLevel(), 3u);
}
