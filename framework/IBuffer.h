#ifndef DRAVIK_FRAMEWORK_IBUFFER_H
#define DRAVIK_FRAMEWORK_IBUFFER_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "framework/Export.h"
#include "framework/QuadRasterizer.h"

// What every grid offers regardless of its cell type: its size, its type identifier and its
// memory. Components hold their grids through this base (see IBufferProxy).
class DRAVIK_API IBufferBase {
public:
    enum class CellKind { Byte, Bool, Double };

    virtual ~IBufferBase() = default;

    virtual void resize(unsigned width, unsigned height, unsigned actualWidth, unsigned actualHeight) = 0;
    virtual std::size_t getMemorySize() const = 0;  // bytes of cell storage
    virtual CellKind getCellKind() const = 0;

    // The extent that fills cover: the second size pair given at construction or resize,
    // never larger than the grid itself.
    unsigned getActualWidth() const { return actualWidth; }
    unsigned getActualHeight() const { return actualHeight; }

    unsigned type = 0;           // buffer type identifier (ConstantProvider)
    unsigned width = 0;          // columns
    unsigned height = 0;         // rows
    unsigned valuesPerCell = 1;  // value k of cell (x, y) is data[(y * width + x) * valuesPerCell + k]

protected:
    unsigned actualWidth = 0;
    unsigned actualHeight = 0;
};

// Rows [first, end) of a grid. Fills restricted to a band write no cell outside it, so that
// several threads can fill one grid at once, each in a band of its own, without ever writing
// the same cell, whatever their quads; the default band is every row.
struct DRAVIK_API RowBand {
    unsigned first = 0;
    unsigned end = 0xFFFFFFFFu;
};

// A grid of cells over a component, pixel for pixel: cell (x, y) lies under component pixel
// (x, y). Storage is kept across resizes that do not grow it, so resizing every frame does
// not touch fresh pages. A grid of 0 x 0 has null `data` and `rows` and ignores every fill.
template <class T>
class DRAVIK_API IBuffer : public IBufferBase {
public:
    IBuffer(unsigned type, unsigned valuesPerCell, unsigned width, unsigned height,
            unsigned actualWidth, unsigned actualHeight) {
        this->type = type;
        this->valuesPerCell = valuesPerCell;
        IBuffer::resize(width, height, actualWidth, actualHeight);
    }
    IBuffer(const IBuffer&) = delete;
    IBuffer& operator=(const IBuffer&) = delete;

    // New size; cells are set to the blank value (callers refill the grid afterwards).
    void resize(unsigned newWidth, unsigned newHeight, unsigned newActualWidth,
                unsigned newActualHeight) override {
        width = newWidth;
        height = newHeight;
        actualWidth = std::min(newActualWidth, newWidth);
        actualHeight = std::min(newActualHeight, newHeight);
        const std::size_t count = std::size_t(width) * height * valuesPerCell;
        if (count > capacity) {
            storage.reset(new T[count]);
            capacity = count;
        }
        data = count != 0 ? storage.get() : nullptr;
        rowStarts.assign(height, nullptr);
        for (unsigned y = 0; y < height; ++y) rowStarts[y] = data + std::size_t(y) * width * valuesPerCell;
        rows = height != 0 ? rowStarts.data() : nullptr;
        std::fill_n(storage.get(), count, blank);
    }

    void fill(T value) { std::fill_n(data, std::size_t(width) * height * valuesPerCell, value); }
    // Every cell holds `value`, now and after each resize (T() until this is called).
    void setBlank(T value) {
        blank = value;
        fill(value);
    }

    // Quad fills: the corners are given in order around the quad, as unsigned cell
    // coordinates in which values of 2^31 and above stand for negative numbers (a negative
    // integer converted to unsigned); whatever lies off the grid is clipped. Which cells a quad
    // covers is the fill rule of framework/QuadRasterizer.h: quads sharing an edge never
    // claim the same cell, and a tiling of the whole grid (outer corners on its first and
    // last columns and rows) covers every cell.

    // Sets value 0 of every cell inside the quad to `value`.
    void fillQuad(unsigned x1, unsigned y1, unsigned x2, unsigned y2, unsigned x3, unsigned y3,
                  unsigned x4, unsigned y4, T value, RowBand band = RowBand()) {
        const std::uint32_t xs[4] = {x1, x2, x3, x4}, ys[4] = {y1, y2, y3, y4};
        dravik::detail::rasterizeQuad(
            xs, ys, actualWidth, actualHeight, band.first, band.end,
            [&](const dravik::detail::RasterTriangle&, std::int64_t y, std::int64_t first, std::int64_t last) {
                T* cell = rows[y] + first * valuesPerCell;
                if (valuesPerCell == 1) {
                    std::fill(cell, cell + (last - first + 1), value);
                } else {
                    for (std::int64_t x = first; x <= last; ++x, cell += valuesPerCell) *cell = value;
                }
            },
            [](const dravik::detail::RasterTriangle&, int) {});
    }

    // Fills value 0 of the cells inside the quad with values blended from the corners: exact
    // at each corner, linear along each edge (so quads sharing an edge agree on it) and
    // linear inside each of the quad's two triangles.
    template <class U = T, std::enable_if_t<std::is_same_v<U, double>, int> = 0>
    void fillQuad(unsigned x1, unsigned y1, double v1, unsigned x2, unsigned y2, double v2,
                  unsigned x3, unsigned y3, double v3, unsigned x4, unsigned y4, double v4,
                  RowBand band = RowBand()) {
        fillQuadWithLength(x1, y1, &v1, x2, y2, &v2, x3, y3, &v3, x4, y4, &v4, 1, band);
    }

    // As the blended fillQuad, for values 0 .. length - 1 of each cell (length is capped at
    // valuesPerCell); each corner points at its `length` values.
    template <class U = T, std::enable_if_t<std::is_same_v<U, double>, int> = 0>
    void fillQuadWithLength(unsigned x1, unsigned y1, const double* v1, unsigned x2, unsigned y2,
                            const double* v2, unsigned x3, unsigned y3, const double* v3,
                            unsigned x4, unsigned y4, const double* v4, unsigned length,
                            RowBand band = RowBand());

    std::size_t getMemorySize() const override { return capacity * sizeof(T); }
    CellKind getCellKind() const override { return kCellKind; }

    static constexpr CellKind kCellKind = std::is_same_v<T, double> ? CellKind::Double
                                          : std::is_same_v<T, bool> ? CellKind::Bool
                                                                    : CellKind::Byte;
    static_assert(std::is_same_v<T, double> || std::is_same_v<T, bool> || std::is_same_v<T, unsigned char>,
                  "grids hold unsigned char, bool or double cells");

    T* data = nullptr;
    T** rows = nullptr;  // start of each row; rows[y][x] is cell (x, y) of a one-value grid

private:
    std::unique_ptr<T[]> storage;
    std::size_t capacity = 0;
    T blank = T();
    std::vector<T*> rowStarts;
};

template <class T>
template <class U, std::enable_if_t<std::is_same_v<U, double>, int>>
void IBuffer<T>::fillQuadWithLength(unsigned x1, unsigned y1, const double* v1, unsigned x2,
                                    unsigned y2, const double* v2, unsigned x3, unsigned y3,
                                    const double* v3, unsigned x4, unsigned y4, const double* v4,
                                    unsigned length, RowBand band) {
    using dravik::detail::RasterTriangle;
    constexpr unsigned kMaxValues = 4;
    length = std::min({length, valuesPerCell, kMaxValues});
    if (length == 0 || v1 == nullptr || v2 == nullptr || v3 == nullptr || v4 == nullptr) return;
    const std::uint32_t xs[4] = {x1, x2, x3, x4}, ys[4] = {y1, y2, y3, y4};
    const double* values[4] = {v1, v2, v3, v4};
    const unsigned stride = valuesPerCell;

    // Per triangle: value(x, y) = a + (x - x0) * ddx + (y - y0) * ddy, from the barycentric
    // weights, relative to vertex 0 so that far-off corners lose no precision near the grid.
    int current = -1;
    double ddx[kMaxValues], ddy[kMaxValues], base[kMaxValues];
    std::int64_t x0 = 0, y0 = 0;
    auto setUp = [&](const RasterTriangle& t) {
        current = t.index;
        x0 = t.x[0];
        y0 = t.y[0];
        const double inv = 1.0 / t.area2;
        const double ex1 = double(t.x[1] - t.x[0]), ey1 = double(t.y[1] - t.y[0]);
        const double ex2 = double(t.x[2] - t.x[0]), ey2 = double(t.y[2] - t.y[0]);
        for (unsigned k = 0; k < length; ++k) {
            base[k] = values[t.corner[0]][k];
            const double d1 = values[t.corner[1]][k] - base[k], d2 = values[t.corner[2]][k] - base[k];
            ddx[k] = (d1 * ey2 - d2 * ey1) * inv;
            ddy[k] = (d2 * ex1 - d1 * ex2) * inv;
        }
    };
    dravik::detail::rasterizeQuad(
        xs, ys, actualWidth, actualHeight, band.first, band.end,
        [&](const RasterTriangle& t, std::int64_t y, std::int64_t first, std::int64_t last) {
            if (current != t.index) setUp(t);
            double* cell = rows[y] + first * stride;
            // The rows of a quad lie a whole grid row apart, so the hardware prefetcher, which
            // follows runs of addresses, does not see the next span coming: ask for the span
            // a few rows up while this one is written (it halves the time of large fills).
            constexpr std::int64_t kRowsAhead = 4, kLineBytes = 64;
            if (y + kRowsAhead < std::int64_t(height)) {
                const char* ahead = reinterpret_cast<const char*>(rows[y + kRowsAhead] + first * stride);
                const std::int64_t bytes = (last - first + 1) * std::int64_t(stride * sizeof(double));
                for (std::int64_t b = 0; b < bytes; b += kLineBytes) __builtin_prefetch(ahead + b, 1, 3);
            }
            const std::int64_t n = last - first + 1;
            const double dy = double(y - y0), dx = double(first - x0);
            double start[kMaxValues];
            for (unsigned k = 0; k < length; ++k) start[k] = base[k] + dy * ddy[k] + dx * ddx[k];
            // Four cells per step, each from the row's start value (no running sum, so no
            // error builds up along the row); the column offsets count in doubles, exact
            // for whole numbers. Local copies: the compiler cannot tell that the cells do
            // not alias the arrays.
            if (length == 2 && stride == 2) {  // direction and orientation grids: one pass
                const double s0 = start[0], s1 = start[1], d0 = ddx[0], d1 = ddx[1];
                std::int64_t c = 0;
                double i = 0.0;
                for (; c + 4 <= n; c += 4, i += 4.0) {
                    const double i1 = i + 1.0, i2 = i + 2.0, i3 = i + 3.0;
                    double* p = cell + 2 * c;
                    p[0] = s0 + i * d0;
                    p[1] = s1 + i * d1;
                    p[2] = s0 + i1 * d0;
                    p[3] = s1 + i1 * d1;
                    p[4] = s0 + i2 * d0;
                    p[5] = s1 + i2 * d1;
                    p[6] = s0 + i3 * d0;
                    p[7] = s1 + i3 * d1;
                }
                for (; c < n; ++c, i += 1.0) {
                    cell[2 * c] = s0 + i * d0;
                    cell[2 * c + 1] = s1 + i * d1;
                }
                return;
            }
            for (unsigned k = 0; k < length; ++k) {
                const double s = start[k], d = ddx[k];
                double* p = cell + k;
                std::int64_t c = 0;
                double i = 0.0;
                for (; c + 4 <= n; c += 4, i += 4.0, p += 4 * stride) {
                    p[0] = s + i * d;
                    p[stride] = s + (i + 1.0) * d;
                    p[2 * stride] = s + (i + 2.0) * d;
                    p[3 * stride] = s + (i + 3.0) * d;
                }
                for (; c < n; ++c, i += 1.0, p += stride) *p = s + i * d;
            }
        },
        [&](const RasterTriangle& t, int v) {
            double* cell = rows[t.y[v]] + t.x[v] * stride;
            for (unsigned k = 0; k < length; ++k) cell[k] = values[t.corner[v]][k];
        });
}

#endif
