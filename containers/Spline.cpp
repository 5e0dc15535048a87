#include "containers/Spline.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>

namespace {

using SplinePoint = Spline::SplinePoint;

// The left-hand unit normal of the segment from a to b; (0, 0) for a zero-length segment.
SplinePoint segmentNormal(const SplinePoint& a, const SplinePoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double squared = dx * dx + dy * dy;
    if (squared == 0.0) return {0.0, 0.0};
    const double length = std::sqrt(squared);
    return {-dy / length, dx / length};
}

// The normalised sum of two normals; (0, 0) when they cancel.
SplinePoint normalisedSum(const SplinePoint& a, const SplinePoint& b) {
    const double x = a.x + b.x, y = a.y + b.y;
    const double squared = x * x + y * y;
    if (squared == 0.0) return {0.0, 0.0};
    const double length = std::sqrt(squared);
    return {x / length, y / length};
}

void printPoints(const std::vector<SplinePoint>& points) {
    for (const SplinePoint& p : points) std::cout << p.x << ' ' << p.y << " ; ";
    std::cout << "\n\n";
}

}  // namespace

Spline::Spline(bool closed) : closed(closed) {}

Spline::Spline(unsigned long level, bool closed) : closed(closed) { setLevel(level); }

Spline Spline::copy() const {
    Spline result(*this);
    result.closed = true;
    return result;
}

unsigned long Spline::levelWithinLimit(unsigned long controlPoints, unsigned long level, bool closed) {
    unsigned long taken = std::min(level, kMaxLevel);
    auto points = [&](unsigned long l) { return closed ? controlPoints << l : ((controlPoints - 1) << l) + 1; };
    while (taken > 0 && controlPoints >= 2 && points(taken) > kMaxSplinePoints) --taken;
    return taken;
}

void Spline::setLevel(unsigned long newLevel) { level = static_cast<unsigned>(std::min(newLevel, kMaxLevel)); }

void Spline::addControlPoint(double x, double y) { controlPoints.push_back({x, y}); }

void Spline::clearControlPoints() {
    controlPoints.clear();
    controlPointNormals.clear();
    splinePoints.clear();
    splinePointNormals.clear();
    numSplinePoints = 0;
}

Spline::SplinePoint* Spline::getControlPoint(unsigned index) {
    if (index >= controlPoints.size())
        throw std::invalid_argument("ERROR in Spline::getControlPoint() - Supplied index parameter is out of bounds.");
    return &controlPoints[index];
}

void Spline::modifyControlPoint(unsigned index, double x, double y) {
    if (index < controlPoints.size()) controlPoints[index] = {x, y};
}

void Spline::modifyControlPoint(unsigned index, SplinePoint* const point) {
    if (point != nullptr) modifyControlPoint(index, point->x, point->y);
}

unsigned Spline::getSplinePointIndexFromControlPointIndex(unsigned index) const {
    if (index >= controlPoints.size())
        throw std::invalid_argument(
            "ERROR in Spline::getSplinePointIndexFromControlPointIndex() - Parameter 'index' is out of bounds.");
    return index << levelWithinLimit(controlPoints.size(), level, closed);
}

void Spline::getLinearBezierCurvePoint(double t, SplinePoint* point) const {
    if (!(t >= 0.0 && t <= 1.0))
        throw std::invalid_argument(
            "ERROR in Spline::getLinearBezierCurvePoint() - Parameter t must be between the range of [0.0, 1.0].");
    if (controlPoints.size() < 2)
        throw std::logic_error(
            "ERROR in Spline::getLinearBezierCurvePoint() - Vector of control points has less then two elements. "
            "Linear Bezier curve cannot be evaluated.");
    if (point == nullptr) return;
    const SplinePoint& first = controlPoints.front();
    const SplinePoint& last = controlPoints.back();
    point->x = (1.0 - t) * first.x + t * last.x;
    point->y = (1.0 - t) * first.y + t * last.y;
}

void Spline::calculateNormalVector(SplinePoint* a, SplinePoint* b, SplinePoint* normal) {
    if (a == nullptr || b == nullptr || normal == nullptr) return;
    *normal = segmentNormal(*b, *a);
}

void Spline::evaluate() {
    controlPointNormals.clear();
    splinePoints.clear();
    splinePointNormals.clear();
    const std::size_t n = controlPoints.size();
    if (n == 0) return;
    if (n == 1) {
        splinePoints.push_back(controlPoints[0]);
        return;
    }

    // The spline point list itself is the working array: control point i at i * step, the
    // positions between filled pass by pass, each pass halving the stride.
    const std::size_t step = std::size_t(1) << levelWithinLimit(n, level, closed);
    const std::size_t m = closed ? n * step : (n - 1) * step + 1;
    numSplinePoints = static_cast<unsigned>(m);
    splinePoints.resize(m);
    for (std::size_t i = 0; i < n; ++i) splinePoints[i * step] = controlPoints[i];

    SplinePoint* P = splinePoints.data();
    for (std::size_t d = step; d >= 2; d /= 2) {
        const std::size_t lastPosition = closed ? m - d : m - 1 - d;
        for (std::size_t p = 0; p <= lastPosition; p += d) {
            std::size_t p0, p2, p3;
            if (closed) {
                p0 = (p + m - d) % m;
                p2 = (p + d) % m;
                p3 = (p2 + d) % m;
            } else {
                p0 = p == 0 ? 0 : p - d;
                p2 = p + d;
                p3 = p2 + d > m - 1 ? p2 : p2 + d;
            }
            SplinePoint& inserted = P[p + d / 2];
            inserted.x = (9.0 * P[p].x - P[p0].x + 9.0 * P[p2].x - P[p3].x) * 0.0625;
            inserted.y = (9.0 * P[p].y - P[p0].y + 9.0 * P[p2].y - P[p3].y) * 0.0625;
        }
    }
    computeNormals(static_cast<unsigned>(step));
}

void Spline::computeNormals(unsigned step) {
    const std::size_t m = splinePoints.size();
    const SplinePoint* P = splinePoints.data();
    splinePointNormals.resize(m);
    if (closed) {
        // Each segment's normal is shared by its two end points.
        SplinePoint before = segmentNormal(P[m - 1], P[0]);
        for (std::size_t i = 0; i < m; ++i) {
            const SplinePoint after = segmentNormal(P[i], P[(i + 1) % m]);
            splinePointNormals[i] = normalisedSum(before, after);
            before = after;
        }
    } else {
        SplinePoint before = segmentNormal(P[0], P[1]);
        splinePointNormals[0] = before;
        for (std::size_t i = 1; i + 1 < m; ++i) {
            const SplinePoint after = segmentNormal(P[i], P[i + 1]);
            splinePointNormals[i] = normalisedSum(before, after);
            before = after;
        }
        splinePointNormals[m - 1] = segmentNormal(P[m - 2], P[m - 1]);
    }
    for (std::size_t i = 0; i < m; i += step) controlPointNormals.push_back(splinePointNormals[i]);
}

void Spline::printControlPoints() const { printPoints(controlPoints); }
void Spline::printControlPointNormals() const { printPoints(controlPointNormals); }
void Spline::printSplinePoints() const { printPoints(splinePoints); }
void Spline::printSplinePointNormals() const { printPoints(splinePointNormals); }
