#ifndef DRAVIK_FRAMEWORK_IBUFFER_H
#define DRAVIK_FRAMEWORK_IBUFFER_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "framework/QuadRasterizer.h"

// What every grid offers regardless of its cell type: its size, its type identifier and its
// memory. Components hold their grids through this base (see IBufferProxy).
class IBufferBase {
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

// A grid of cells over a component, pixel for pixel: cell (x, y) lies under component pixel
// (x, y). Storage is kept across resizes that do not grow it, so resizing every frame does
// not touch fresh pages. A grid of 0 x 0 has null `data` and `rows` and ignores every fill.
template <class T>
class IBuffer : public IBufferBase {
public:
    IBuffer(unsigned type, unsigned valuesPerCell, unsigned width, unsigned height,
            unsigned actualWidth, unsigned actualHeight) {
        this->type = type;
        this->valuesPerCell = valuesPerCell;
        IBuffer::resize(width, height, actualWidth, actualHeight);
    }
    IBuffer(const IBuffer&) = delete;
    IBuffer& operator=(const IBuffer&) = delete;

    // New size; cells are set to T() (callers refill the whole grid afterwards).
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
        std::fill_n(storage.get(), count, T());
    }

    void fill(T value) { std::fill_n(data, std::size_t(width) * height * valuesPerCell, value); }

    // Sets value 0 of every cell inside the quad (corners in order around it) to `value`.
    void fillQuad(unsigned x1, unsigned y1, unsigned x2, unsigned y2, unsigned x3, unsigned y3,
                  unsigned x4, unsigned y4, T value) {
        const std::uint32_t xs[4] = {x1, x2, x3, x4}, ys[4] = {y1, y2, y3, y4};
        dravik::detail::rasterizeQuad(
            xs, ys, actualWidth, actualHeight,
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
                  unsigned x3, unsigned y3, double v3, unsigned x4, unsigned y4, double v4) {
        fillQuadWithLength(x1, y1, &v1, x2, y2, &v2, x3, y3, &v3, x4, y4, &v4, 1);
    }

    // As the blended fillQuad, for values 0 .. length - 1 of each cell (length is capped at
    // valuesPerCell); each corner points at its `length` values.
    template <class U = T, std::enable_if_t<std::is_same_v<U, double>, int> = 0>
    void fillQuadWithLength(unsigned x1, unsigned y1, const double* v1, unsigned x2, unsigned y2,
                            const double* v2, unsigned x3, unsigned y3, const double* v3,
                            unsigned x4, unsigned y4, const double* v4, unsigned length);

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
    std::vector<T*> rowStarts;
};

template <class T>
template <class U, std::enable_if_t<std::is_same_v<U, double>, int>>
void IBuffer<T>::fillQuadWithLength(unsigned x1, unsigned y1, const double* v1, unsigned x2,
                                    unsigned y2, const double* v2, unsigned x3, unsigned y3,
                                    const double* v3, unsigned x4, unsigned y4, const double* v4,
                                    unsigned length) {
    using dravik::detail::RasterTriangle;
    constexpr unsigned kMaxValues = 4;
    length = std::min({length, valuesPerCell, kMaxValues});
    if (length == 0 || v1 == nullptr || v2 == nullptr || v3 == nullptr || v4 == nullptr) return;
    const std::uint32_t xs[4] = {x1, x2, x3, x4}, ys[4] = {y1, y2, y3, y4};
    const double* values[4] = {v1, v2, v3, v4};
    const unsigned stride = valuesPerCell;

    // Per triangle: value(x, y) = origin + x * ddx + y * ddy, from the barycentric weights.
    int current = -1;
    double ddx[kMaxValues], ddy[kMaxValues], origin[kMaxValues];
    auto setUp = [&](const RasterTriangle& t) {
        current = t.index;
        const double inv = 1.0 / static_cast<double>(t.area2);
        const double ex1 = double(t.x[1] - t.x[0]), ey1 = double(t.y[1] - t.y[0]);
        const double ex2 = double(t.x[2] - t.x[0]), ey2 = double(t.y[2] - t.y[0]);
        for (unsigned k = 0; k < length; ++k) {
            const double a = values[t.corner[0]][k];
            const double d1 = values[t.corner[1]][k] - a, d2 = values[t.corner[2]][k] - a;
            ddx[k] = (d1 * ey2 - d2 * ey1) * inv;
            ddy[k] = (d2 * ex1 - d1 * ex2) * inv;
            origin[k] = a - double(t.x[0]) * ddx[k] - double(t.y[0]) * ddy[k];
        }
    };
    dravik::detail::rasterizeQuad(
        xs, ys, actualWidth, actualHeight,
        [&](const RasterTriangle& t, std::int64_t y, std::int64_t first, std::int64_t last) {
            if (current != t.index) setUp(t);
            double* cell = rows[y] + first * stride;
            const std::int64_t n = last - first + 1;
            double start[kMaxValues];
            for (unsigned k = 0; k < length; ++k) start[k] = origin[k] + double(y) * ddy[k] + double(first) * ddx[k];
            if (length == 2 && stride == 2) {  // direction and orientation grids: one pass
                for (std::int64_t i = 0; i < n; ++i) {
                    cell[2 * i] = start[0] + double(i) * ddx[0];
                    cell[2 * i + 1] = start[1] + double(i) * ddx[1];
                }
                return;
            }
            for (unsigned k = 0; k < length; ++k)
                for (std::int64_t i = 0; i < n; ++i) cell[i * stride + k] = start[k] + double(i) * ddx[k];
        },
        [&](const RasterTriangle& t, int v) {
            double* cell = rows[t.y[v]] + t.x[v] * stride;
            for (unsigned k = 0; k < length; ++k) cell[k] = values[t.corner[v]][k];
        });
}

#endif
