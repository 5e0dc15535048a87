#ifndef DRAVIK_CONTAINERS_SPLINE_H
#define DRAVIK_CONTAINERS_SPLINE_H

#include <vector>

#include "framework/Export.h"

// A planar curve through a list of control points, closed (the last point joins the first)
// or open, refined into a dense polyline by interpolating four-point subdivision with the
// weights (-1, 9, 9, -1) / 16: each of `level` passes inserts one point between every two
// neighbours, so the curve passes through every control point. `evaluate` also gives each
// spline point a unit normal, pointing to the left of the direction of travel, and copies
// out the normals at the control points.
//
// After `evaluate` with n >= 2 control points and step s = 2^level, a closed curve has n * s
// spline points and an open one (n - 1) * s + 1; spline point i * s is control point i.
//
// A curve makes at most kMaxSplinePoints points: when the control points at `level` would
// make more, evaluate (and getSplinePointIndexFromControlPointIndex) take the highest level
// that stays within it, so that drawing and filling a curve's grids cost what a frame can
// afford whatever the caller asks for. getLevel still returns the level asked for; levels
// above kMaxLevel are stored as kMaxLevel.
class DRAVIK_API Spline {
public:
    struct SplinePoint {
        double x = 0.0;
        double y = 0.0;
    };

    static constexpr unsigned long kMaxLevel = 16;
    static constexpr unsigned long kMaxSplinePoints = 1024;

    // The level a curve of `controlPoints` points takes when `level` is asked for: the highest
    // up to `level` whose point count is at most kMaxSplinePoints (0 when none is).
    static unsigned long levelWithinLimit(unsigned long controlPoints, unsigned long level, bool closed);

    explicit Spline(bool closed = true);
    Spline(unsigned long level, bool closed);
    Spline(const Spline&) = default;
    Spline& operator=(const Spline&) = default;
    ~Spline() = default;

    // A copy of the lists, level and point count; the copy is always closed.
    Spline copy() const;

    // Control points. Neither adding nor modifying evaluates.
    void addControlPoint(double x, double y);
    // Empties all four lists; level and closedness stay.
    void clearControlPoints();
    // Throws std::invalid_argument for an index past the last control point.
    SplinePoint* getControlPoint(unsigned index);
    // An index past the last control point is ignored.
    void modifyControlPoint(unsigned index, double x, double y);
    void modifyControlPoint(unsigned index, SplinePoint* const point);
    unsigned long getNumControlPoints() const { return controlPoints.size(); }

    // The lists themselves (not copies).
    std::vector<SplinePoint>* getControlPoints() { return &controlPoints; }
    std::vector<SplinePoint>* getControlPointNormals() { return &controlPointNormals; }
    std::vector<SplinePoint>* getSplinePoints() { return &splinePoints; }
    std::vector<SplinePoint>* getSplinePointNormals() { return &splinePointNormals; }
    const std::vector<SplinePoint>& controlPointList() const { return controlPoints; }
    const std::vector<SplinePoint>& controlPointNormalList() const { return controlPointNormals; }
    const std::vector<SplinePoint>& splinePointList() const { return splinePoints; }
    const std::vector<SplinePoint>& splinePointNormalList() const { return splinePointNormals; }
    // Points of the last evaluation with two or more control points.
    unsigned long getNumSplinePoints() const { return numSplinePoints; }

    unsigned long getLevel() const { return level; }
    void setLevel(unsigned long newLevel);
    bool isClosed() const { return closed; }
    void setClosed(bool isClosed) { closed = isClosed; }

    // index * 2^(the level taken); throws std::invalid_argument for an index past the last
    // control point.
    unsigned getSplinePointIndexFromControlPointIndex(unsigned index) const;
    // (1 - t) * first + t * last control point. Throws std::invalid_argument for t outside
    // [0, 1], then std::logic_error with fewer than two control points.
    void getLinearBezierCurvePoint(double t, SplinePoint* point) const;
    // The left-hand unit normal of b -> a: (-(a - b).y, (a - b).x) / |a - b|; (0, 0) when
    // the points coincide.
    static void calculateNormalVector(SplinePoint* a, SplinePoint* b, SplinePoint* normal);

    // Recomputes the spline points and both normal lists from the control points. With no
    // control point the lists are empty, with one the spline point list holds that point and
    // there are no normals; neither changes getNumSplinePoints.
    void evaluate();

    // Debug output of one list on standard output: "x y ; " per point, then two line ends.
    void printControlPoints() const;
    void printControlPointNormals() const;
    void printSplinePoints() const;
    void printSplinePointNormals() const;

private:
    void computeNormals(unsigned step);

    std::vector<SplinePoint> controlPoints;
    std::vector<SplinePoint> controlPointNormals;
    std::vector<SplinePoint> splinePoints;
    std::vector<SplinePoint> splinePointNormals;
    unsigned level = 0;
    unsigned numSplinePoints = 0;
    bool closed = true;
};

#endif
