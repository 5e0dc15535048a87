#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "containers/Spline.h"

namespace {

using Point = Spline::SplinePoint;

// A curve through the control points given, evaluated.
Spline evaluated(unsigned long level, bool closed, std::initializer_list<std::pair<double, double>> points) {
    Spline s(level, closed);
    for (const auto& [x, y] : points) s.addControlPoint(x, y);
    s.evaluate();
    return s;
}

// The unit square's corners, counter-clockwise from the top right.
Spline square(unsigned long level) { return evaluated(level, true, {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}); }

// A point's coordinates within tol (0: exactly).
#define EXPECT_POINT(p, X, Y, tol) \
    EXPECT_NEAR((p).x, X, tol);    \
    EXPECT_NEAR((p).y, Y, tol)

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

TEST(Spline, ClosedSquareKeepsItsCornersAndInsertsTheFourPointBlend) {
    // Level 0: the corners; counter-clockwise travel puts the normals inward, along the diagonals.
    Spline flat = square(0);
    ASSERT_EQ(flat.getNumSplinePoints(), 4u);
    EXPECT_POINT((*flat.getSplinePoints())[2], -1.0, -1.0, 0);
    const double r = 1.0 / std::sqrt(2.0);
    EXPECT_POINT((*flat.getSplinePointNormals())[0], -r, -r, 1e-15);
    EXPECT_POINT((*flat.getSplinePointNormals())[3], -r, r, 1e-15);

    // Level 1, between P1 and P2: (9 P1 + 9 P2 - P0 - P3) / 16 = (-20 / 16, 0); between P3
    // and P0 the neighbours wrap around. On the axis of symmetry the normal points straight in.
    Spline s = square(1);
    ASSERT_EQ(s.getNumSplinePoints(), 8u);
    EXPECT_POINT((*s.getSplinePoints())[3], -1.25, 0.0, 0);
    EXPECT_POINT((*s.getSplinePoints())[7], 1.25, 0.0, 0);
    EXPECT_POINT((*s.getSplinePointNormals())[3], 1.0, 0.0, 1e-15);
}

TEST(Spline, OpenEndsUseThemselvesAsOuterNeighbours) {
    Spline s = evaluated(1, false, {{0, 0}, {4, 8}, {16, 0}});
    ASSERT_EQ(s.getNumSplinePoints(), 5u);
    EXPECT_POINT((*s.getSplinePoints())[1], 1.25, 4.5, 0);   // (8 P0 + 9 P1 - P2) / 16
    EXPECT_POINT((*s.getSplinePoints())[3], 10.25, 4.5, 0);  // (9 P1 - P0 + 8 P2) / 16
    // End normals are those of the end segments alone.
    const double len = std::hypot(1.25, 4.5);
    EXPECT_POINT((*s.getSplinePointNormals())[0], -4.5 / len, 1.25 / len, 1e-15);
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
            EXPECT_POINT((*s.getSplinePoints())[at], xs[i], ys[i], 0);
            EXPECT_POINT((*s.getControlPointNormals())[i], (*s.getSplinePointNormals())[at].x,
                         (*s.getSplinePointNormals())[at].y, 0);
        }
    }
}

TEST(Spline, DegenerateSegmentsGiveZeroNormalsInsteadOfDividingByZero) {
    Spline s = evaluated(0, false, {{0, 0}, {0, 0}, {2, 0}, {0, 0}});  // a repeat, then a hairpin
    const auto& n = *s.getSplinePointNormals();
    EXPECT_POINT(n[0], 0.0, 0.0, 0);
    EXPECT_POINT(n[1], 0.0, 1.0, 0);  // only the segment 1 -> 2 counts
    EXPECT_POINT(n[2], 0.0, 0.0, 0);  // (0, 1) and (0, -1) cancel
}

TEST(Spline, FewControlPointsBadIndicesAndHugeLevelsAreReported) {
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
    EXPECT_POINT(p, -7.0, 2.0, 0);

    // Levels beyond the limit are stored as the limit; a curve makes at most 1024 points,
    // taking the highest level that stays within them: 100 closed points at level 10 (102400
    // points) take level 3, two open points at level 16 take level 9 (513 points).
    Spline deep(40, true);
    EXPECT_EQ(deep.getLevel(), Spline::kMaxLevel);
    deep.setLevel(10);
    for (int i = 0; i < 100; ++i) deep.addControlPoint(i % 2 ? i : -i, i * 3.0);
    deep.evaluate();
    EXPECT_EQ(deep.getNumSplinePoints(), 800u);
    EXPECT_EQ(deep.getSplinePointIndexFromControlPointIndex(7), 7u * 8);
    EXPECT_POINT((*deep.getSplinePoints())[7 * 8], 7.0, 21.0, 0);
    EXPECT_EQ(deep.getLevel(), 10u);
    EXPECT_EQ(evaluated(16, false, {{0, 0}, {1, 0}}).getNumSplinePoints(), 513u);
    EXPECT_EQ(Spline::levelWithinLimit(4, 10, true), 8u);
}

TEST(Spline, CopiesAreClosedAndClearingKeepsTheLevel) {
    Spline open = evaluated(2, false, {{0, 0}, {8, 0}});
    EXPECT_TRUE(open.copy().isClosed());
    EXPECT_EQ(open.copy().getNumSplinePoints(), 5u);
    open.clearControlPoints();
    EXPECT_EQ(std::make_tuple(open.getLevel(), open.getNumSplinePoints(), open.getSplinePoints()->size()),
              std::make_tuple(2ul, 0ul, std::size_t(0)));
}
