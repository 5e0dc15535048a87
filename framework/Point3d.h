#ifndef DRAVIK_FRAMEWORK_POINT3D_H
#define DRAVIK_FRAMEWORK_POINT3D_H

#include "framework/Export.h"

// A point or displacement in three dimensions.
struct DRAVIK_API Point3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Point3d() = default;
    Point3d(double x, double y, double z) : x(x), y(y), z(z) {}

    Point3d operator+(const Point3d& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Point3d operator-(const Point3d& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Point3d operator*(double f) const { return {x * f, y * f, z * f}; }
    Point3d& operator+=(const Point3d& o) { x += o.x; y += o.y; z += o.z; return *this; }
    Point3d& operator-=(const Point3d& o) { x -= o.x; y -= o.y; z -= o.z; return *this; }
    bool operator==(const Point3d& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Point3d& o) const { return !(*this == o); }
};

#endif
