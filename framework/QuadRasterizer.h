#ifndef DRAVIK_FRAMEWORK_QUADRASTERIZER_H
#define DRAVIK_FRAMEWORK_QUADRASTERIZER_H

#include <algorithm>
#include <cmath>
#include <cstdint>

// Scan conversion of quadrilaterals with integer corners into a grid of cells.
//
// Fill rule: cell (x, y) is sampled at the integer point (x, y). A quad is split into two
// triangles along a diagonal that lies inside it. A sample strictly inside a triangle is
// covered; a sample exactly on an edge is covered only by the triangle whose edge runs
// downward (or rightward, when horizontal) in counter-clockwise order, so of two triangles
// sharing an edge exactly one claims the samples on it. Tilings therefore cover every inner
// cell exactly once, and two threads filling quads that only share edges never write the
// same cell. Samples outside the grid's extent are clipped. Degenerate triangles (corners on
// one line) cover nothing. Edge tests are exact integer arithmetic.
namespace dravik::detail {

struct RasterTriangle {
    std::int64_t x[3];
    std::int64_t y[3];
    int corner[3];        // which corner of the quad each vertex is
    int index;            // 0 or 1: which of the quad's two triangles
    std::int64_t area2;   // twice the area, > 0 (vertices counter-clockwise)
};

// Edge from vertex i to vertex i+1 as E(x, y) = a*x + b*y + c; positive inside.
struct RasterEdge {
    std::int64_t a, b, c;
    std::int64_t bias;  // 1 when samples on the edge belong to this triangle, else 0
    double inverseA;

    bool covers(std::int64_t px, std::int64_t py) const { return a * px + b * py + c + bias > 0; }
};

inline RasterEdge makeEdge(std::int64_t px, std::int64_t py, std::int64_t qx, std::int64_t qy) {
    const std::int64_t dx = qx - px, dy = qy - py;
    RasterEdge e;
    e.a = -dy;
    e.b = dx;
    e.c = dy * px - dx * py;
    e.bias = (dy < 0 || (dy == 0 && dx > 0)) ? 1 : 0;
    e.inverseA = e.a != 0 ? 1.0 / static_cast<double>(e.a) : 0.0;
    return e;
}

// Narrows [first, last] on one row to the samples that the edge covers. The bound is first
// estimated in floating point and then corrected with the exact integer test.
inline void clipSpanToEdge(const RasterEdge& e, std::int64_t y, std::int64_t& first,
                           std::int64_t& last) {
    const std::int64_t k = e.b * y + e.c + e.bias;  // covered where a*x + k > 0
    if (e.a == 0) {
        if (k <= 0) last = first - 1;
        return;
    }
    auto covered = [&](std::int64_t x) { return e.a * x + k > 0; };
    std::int64_t bound = static_cast<std::int64_t>(std::floor(-static_cast<double>(k) * e.inverseA));
    if (e.a > 0) {  // covered for x > -k/a
        while (covered(bound)) --bound;
        while (!covered(bound + 1)) ++bound;
        first = std::max(first, bound + 1);
    } else {        // covered for x < -k/a
        while (!covered(bound)) --bound;
        while (covered(bound + 1)) ++bound;
        last = std::min(last, bound);
    }
}

// Coordinates this large would overflow the 64-bit edge arithmetic; such quads are not drawn.
constexpr std::uint32_t kLargestRasterCoordinate = 1u << 30;

// Rasterises the quad (xs[i], ys[i]), i = 0..3, into a width x height extent. For each
// covered run of cells on a row, calls span(triangle, y, xFirst, xLast); after each triangle,
// calls corner(triangle, vertex) for each vertex whose own cell the triangle claimed.
template <class SpanFn, class CornerFn>
void rasterizeQuad(const std::uint32_t xs[4], const std::uint32_t ys[4], std::uint32_t width,
                   std::uint32_t height, SpanFn&& span, CornerFn&& corner) {
    if (width == 0 || height == 0) return;
    for (int i = 0; i < 4; ++i)
        if (xs[i] >= kLargestRasterCoordinate || ys[i] >= kLargestRasterCoordinate) return;

    auto cross = [&](int o, int p, int q) {
        return (std::int64_t(xs[p]) - xs[o]) * (std::int64_t(ys[q]) - ys[o]) -
               (std::int64_t(ys[p]) - ys[o]) * (std::int64_t(xs[q]) - xs[o]);
    };
    // Split along 0-2 unless only 1-3 lies inside the quad (a concave quad).
    const bool diagonal02 = cross(0, 2, 1) * cross(0, 2, 3) < 0 || cross(1, 3, 0) * cross(1, 3, 2) >= 0;
    const int split[2][3] = {{0, 1, 2}, {0, 2, 3}};
    const int splitAlt[2][3] = {{1, 2, 3}, {1, 3, 0}};

    int index = 0;
    for (const auto& tri : diagonal02 ? split : splitAlt) {
        RasterTriangle t;
        t.index = index++;
        for (int v = 0; v < 3; ++v) {
            t.x[v] = xs[tri[v]];
            t.y[v] = ys[tri[v]];
            t.corner[v] = tri[v];
        }
        t.area2 = cross(tri[0], tri[1], tri[2]);
        if (t.area2 == 0) continue;
        if (t.area2 < 0) {
            std::swap(t.x[1], t.x[2]);
            std::swap(t.y[1], t.y[2]);
            std::swap(t.corner[1], t.corner[2]);
            t.area2 = -t.area2;
        }
        const RasterEdge edges[3] = {makeEdge(t.x[0], t.y[0], t.x[1], t.y[1]),
                                     makeEdge(t.x[1], t.y[1], t.x[2], t.y[2]),
                                     makeEdge(t.x[2], t.y[2], t.x[0], t.y[0])};
        const std::int64_t yFirst = std::max<std::int64_t>(0, std::min({t.y[0], t.y[1], t.y[2]}));
        const std::int64_t yLast = std::min<std::int64_t>(height - 1, std::max({t.y[0], t.y[1], t.y[2]}));
        const std::int64_t xMin = std::max<std::int64_t>(0, std::min({t.x[0], t.x[1], t.x[2]}));
        const std::int64_t xMax = std::min<std::int64_t>(width - 1, std::max({t.x[0], t.x[1], t.x[2]}));
        for (std::int64_t y = yFirst; y <= yLast; ++y) {
            std::int64_t first = xMin, last = xMax;
            for (const RasterEdge& e : edges) clipSpanToEdge(e, y, first, last);
            if (first <= last) span(t, y, first, last);
        }
        for (int v = 0; v < 3; ++v) {
            if (t.x[v] >= width || t.y[v] >= height) continue;
            if (edges[0].covers(t.x[v], t.y[v]) && edges[1].covers(t.x[v], t.y[v]) &&
                edges[2].covers(t.x[v], t.y[v]))
                corner(t, v);
        }
    }
}

}  // namespace dravik::detail

#endif
