#ifndef DRAVIK_FRAMEWORK_QUADRASTERIZER_H
#define DRAVIK_FRAMEWORK_QUADRASTERIZER_H

#include <algorithm>
#include <cstdint>

// Scan conversion of quadrilaterals with integer corners into a grid of cells.
//
// Corners arrive as unsigned 32-bit values; values of 2^31 and above are read as the negative
// numbers with the same bits (a negative integer converted to unsigned), so a corner may lie
// on any side of the grid, however far: what lies outside the grid is clipped.
//
// Fill rule. Cell (x, y) is sampled at the integer point (x, y), nudged by an infinitely small
// amount toward the inside of the grid: to the right and up, except in the last column (to
// the left) and in the last row (down). A quad is split into two triangles along a diagonal
// that lies inside it, and a triangle covers a cell when the cell's nudged sample lies inside
// it. Since every sample has one nudged point:
//   - of two triangles sharing an edge exactly one claims the samples on it, so a tiling
//     covers each cell it spans exactly once, and quads that only share edges never write
//     the same cell;
//   - a tiling of the whole grid, its outer corners on columns 0 and width - 1 and rows 0
//     and height - 1, covers every cell, the last row and column included.
// Degenerate triangles (corners on one line) cover nothing. Every test is exact integer
// arithmetic; the span bounds of each edge are stepped from row to row without division.
namespace dravik::detail {

__extension__ typedef __int128 RasterWideInt;

struct RasterTriangle {
    std::int64_t x[3];
    std::int64_t y[3];
    int corner[3];  // which corner of the quad each vertex is
    int index;      // 0 or 1: which of the quad's two triangles
    double area2;   // twice the area, > 0 (vertices counter-clockwise)
};

// Corner coordinate: the unsigned value's bits as a signed 32-bit number.
inline std::int64_t rasterCoordinate(std::uint32_t v) {
    return v < 0x80000000u ? std::int64_t(v) : std::int64_t(v) - (std::int64_t(1) << 32);
}

// floor(n / d) and the remainder in [0, d), for d > 0.
template <class Int>
inline void floorDivide(Int n, Int d, Int& quotient, Int& remainder) {
    quotient = n / d;
    remainder = n % d;
    if (remainder < 0) {
        --quotient;
        remainder += d;
    }
}

template <class Int>
inline std::int64_t clampToColumns(Int v, std::int64_t low, std::int64_t high) {
    return v < Int(low) ? low : v > Int(high) ? high : std::int64_t(v);
}

// One edge from vertex p to vertex q of a counter-clockwise triangle, as
// E(x, y) = a x + b y + c, positive inside. A sample on the edge (E = 0) is inside when its
// nudge points inside: `onEdge` for ordinary cells, `onEdgeMirrored` for cells of the last
// column (non-horizontal edges) or the last row (horizontal edges).
template <class Int>
struct RasterEdge {
    Int a, b, c;
    int onEdge, onEdgeMirrored;
    bool horizontal;

    // The bound of the covered columns on a row, as floor(P / divisor) stepped by `step`
    // per row: the first covered column is that plus one for edges with a > 0 (left
    // bounds), the last covered column for edges with a < 0 (right bounds).
    Int divisor, stepQuotient, stepRemainder, quotient, remainder;

    RasterEdge(std::int64_t px, std::int64_t py, std::int64_t qx, std::int64_t qy) {
        const Int dx = Int(qx) - px, dy = Int(qy) - py;
        a = -dy;
        b = dx;
        c = dy * px - dx * py;
        horizontal = dy == 0;
        onEdge = horizontal ? (dx > 0) : (dy < 0);          // nudge right and up
        onEdgeMirrored = horizontal ? (dx < 0) : (dy > 0);  // nudge left (last column) or down (last row)
    }

    bool isLeftBound() const { return a > 0; }

    // Left bound: a x > -(b y + c) - bias, so x >= floor((P - bias) / a) + 1 with
    // P = -(b y + c). Right bound: -|a| x > -(b y + c) - bias, so
    // x <= floor((P + bias) / |a|) with P = b y + c - 1.
    void startAt(std::int64_t y) {
        const bool left = isLeftBound();
        divisor = left ? a : -a;
        const Int p = left ? -(b * y + c) : b * y + c - 1;
        const Int step = left ? -b : b;
        floorDivide(p, divisor, quotient, remainder);
        floorDivide(step, divisor, stepQuotient, stepRemainder);
    }
    void nextRow() {
        quotient += stepQuotient;
        remainder += stepRemainder;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++quotient;
        }
    }
    // First covered column (left bound) or last covered column (right bound) on this row.
    Int bound(int bias) const {
        if (isLeftBound()) return (bias != 0 && remainder == 0 ? quotient - 1 : quotient) + 1;
        return bias != 0 && remainder == divisor - 1 ? quotient + 1 : quotient;
    }
    // Horizontal edges cover whole rows or none.
    bool coversRow(std::int64_t y, int bias) const { return b * y + c + bias > 0; }
    bool covers(std::int64_t x, std::int64_t y, int bias) const { return a * x + b * y + c + bias > 0; }
};

// Rasterises one triangle into rows [rowFirst, rowEnd) of a width x height extent.
template <class Int, class SpanFn, class CornerFn>
void rasterizeTriangle(const RasterTriangle& t, std::int64_t width, std::int64_t height, std::int64_t rowFirst,
                       std::int64_t rowEnd, SpanFn& span, CornerFn& corner) {
    RasterEdge<Int> edges[3] = {RasterEdge<Int>(t.x[0], t.y[0], t.x[1], t.y[1]),
                                RasterEdge<Int>(t.x[1], t.y[1], t.x[2], t.y[2]),
                                RasterEdge<Int>(t.x[2], t.y[2], t.x[0], t.y[0])};
    const std::int64_t lastColumn = width - 1, lastRow = height - 1;
    const std::int64_t yFirst = std::max({std::int64_t(0), rowFirst, std::min({t.y[0], t.y[1], t.y[2]})});
    const std::int64_t yLast = std::min({lastRow, rowEnd - 1, std::max({t.y[0], t.y[1], t.y[2]})});
    const std::int64_t xMin = std::max<std::int64_t>(0, std::min({t.x[0], t.x[1], t.x[2]}));
    const std::int64_t xMax = std::min<std::int64_t>(lastColumn, std::max({t.x[0], t.x[1], t.x[2]}));
    if (yFirst > yLast || xMin > xMax) return;
    for (RasterEdge<Int>& e : edges)
        if (!e.horizontal) e.startAt(yFirst);

    for (std::int64_t y = yFirst; y <= yLast; ++y) {
        // Ordinary cells and, separately, the cell of the last column with its mirrored nudge.
        std::int64_t first = xMin, last = std::min(xMax, lastColumn - 1);
        std::int64_t firstMirrored = lastColumn, lastMirrored = xMax;
        bool rowCovered = true;
        for (RasterEdge<Int>& e : edges) {
            if (e.horizontal) {
                rowCovered = rowCovered && e.coversRow(y, y == lastRow ? e.onEdgeMirrored : e.onEdge);
                continue;
            }
            if (e.isLeftBound()) {
                first = std::max(first, clampToColumns(e.bound(e.onEdge), xMin, xMax + 1));
                firstMirrored = std::max(firstMirrored, clampToColumns(e.bound(e.onEdgeMirrored), xMin, xMax + 1));
            } else {
                last = std::min(last, clampToColumns(e.bound(e.onEdge), xMin - 1, xMax));
                lastMirrored = std::min(lastMirrored, clampToColumns(e.bound(e.onEdgeMirrored), xMin - 1, xMax));
            }
            e.nextRow();
        }
        if (!rowCovered) continue;
        const bool lastCellCovered = firstMirrored <= lastMirrored;
        if (first <= last) {
            span(t, y, first, lastCellCovered && last == lastColumn - 1 ? lastColumn : last);
            if (lastCellCovered && last != lastColumn - 1) span(t, y, lastColumn, lastColumn);
        } else if (lastCellCovered) {
            span(t, y, lastColumn, lastColumn);
        }
    }

    for (int v = 0; v < 3; ++v) {
        const std::int64_t x = t.x[v], y = t.y[v];
        if (x < 0 || y < 0 || x > lastColumn || y > lastRow || y < rowFirst || y >= rowEnd) continue;
        bool inside = true;
        for (const RasterEdge<Int>& e : edges) {
            const bool mirrored = e.horizontal ? y == lastRow : x == lastColumn;
            inside = inside && e.covers(x, y, mirrored ? e.onEdgeMirrored : e.onEdge);
        }
        if (inside) corner(t, v);
    }
}

// Splits the quad into its two triangles and rasterises them in the given integer type.
template <class Int, class SpanFn, class CornerFn>
void rasterizeQuadWith(const std::int64_t xs[4], const std::int64_t ys[4], std::int64_t width,
                       std::int64_t height, std::int64_t rowFirst, std::int64_t rowEnd, SpanFn& span,
                       CornerFn& corner) {
    auto cross = [&](int o, int p, int q) {
        return (Int(xs[p]) - xs[o]) * (Int(ys[q]) - ys[o]) - (Int(ys[p]) - ys[o]) * (Int(xs[q]) - xs[o]);
    };
    auto sign = [](Int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
    // Split along 0-2 unless only 1-3 lies inside the quad (a concave quad).
    const bool diagonal02 = sign(cross(0, 2, 1)) * sign(cross(0, 2, 3)) < 0 ||
                            sign(cross(1, 3, 0)) * sign(cross(1, 3, 2)) >= 0;
    static constexpr int kSplit[2][2][3] = {{{1, 2, 3}, {1, 3, 0}}, {{0, 1, 2}, {0, 2, 3}}};
    int index = 0;
    for (const auto& tri : kSplit[diagonal02 ? 1 : 0]) {
        RasterTriangle t;
        t.index = index++;
        for (int v = 0; v < 3; ++v) {
            t.x[v] = xs[tri[v]];
            t.y[v] = ys[tri[v]];
            t.corner[v] = tri[v];
        }
        Int area2 = cross(tri[0], tri[1], tri[2]);
        if (area2 == 0) continue;
        if (area2 < 0) {
            std::swap(t.x[1], t.x[2]);
            std::swap(t.y[1], t.y[2]);
            std::swap(t.corner[1], t.corner[2]);
            area2 = -area2;
        }
        t.area2 = static_cast<double>(area2);
        rasterizeTriangle<Int>(t, width, height, rowFirst, rowEnd, span, corner);
    }
}

// Rasterises the quad (xs[i], ys[i]), i = 0..3, into rows [rowFirst, rowEnd) of a
// width x height extent. For each covered run of cells on a row, calls
// span(triangle, y, xFirst, xLast); after each triangle, calls corner(triangle, vertex) for
// each vertex whose own cell the triangle claimed.
template <class SpanFn, class CornerFn>
void rasterizeQuad(const std::uint32_t xs[4], const std::uint32_t ys[4], std::uint32_t width,
                   std::uint32_t height, std::uint32_t rowFirst, std::uint32_t rowEnd, SpanFn&& span,
                   CornerFn&& corner) {
    if (width == 0 || height == 0 || rowFirst >= rowEnd) return;
    std::int64_t x[4], y[4];
    bool near = width <= (1u << 29) && height <= (1u << 29);
    for (int i = 0; i < 4; ++i) {
        x[i] = rasterCoordinate(xs[i]);
        y[i] = rasterCoordinate(ys[i]);
        near = near && x[i] >= -(1 << 29) && x[i] <= (1 << 29) && y[i] >= -(1 << 29) && y[i] <= (1 << 29);
    }
    // Within 2^29 every product of the edge arithmetic fits 64 bits; corners farther off
    // take 128-bit arithmetic.
    if (near)
        rasterizeQuadWith<std::int64_t>(x, y, width, height, rowFirst, rowEnd, span, corner);
    else
        rasterizeQuadWith<RasterWideInt>(x, y, width, height, rowFirst, rowEnd, span, corner);
}

}  // namespace dravik::detail

#endif
