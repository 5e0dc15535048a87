#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "framework/IBuffer.h"

namespace {

// Corners of a tiling of the grid into `n` x `n` quads with slightly skewed inner corners,
// so that shared edges are slanted too.
struct Tiling {
    unsigned n, width, height;
    unsigned x(unsigned i, unsigned j) const {
        unsigned base = i * (width - 1) / n;
        return (i == 0 || i == n) ? base : base + (j % 3);
    }
    unsigned y(unsigned i, unsigned j) const {
        unsigned base = j * (height - 1) / n;
        return (j == 0 || j == n) ? base : base + (i % 2);
    }
    double value(unsigned i, unsigned j) const { return std::sin(i * 1.7 + j * 0.3) * 10.0; }
};

}  // namespace

TEST(IBuffer, TilingCoversEveryInnerCellExactlyOnce) {
    const Tiling t{7, 97, 61};
    IBuffer<unsigned char> count(1, 1, t.width, t.height, t.width, t.height);
    IBuffer<unsigned char> one(1, 1, t.width, t.height, t.width, t.height);
    for (unsigned i = 0; i < t.n; ++i)
        for (unsigned j = 0; j < t.n; ++j) {
            one.fill(0);
            one.fillQuad(t.x(i, j), t.y(i, j), t.x(i + 1, j), t.y(i + 1, j), t.x(i + 1, j + 1),
                         t.y(i + 1, j + 1), t.x(i, j + 1), t.y(i, j + 1), 1);
            for (unsigned c = 0; c < t.width * t.height; ++c) count.data[c] += one.data[c];
        }
    // Inner cells: not on the tiling's right or top border, which belong to no quad.
    for (unsigned y = 0; y + 1 < t.height; ++y)
        for (unsigned x = 0; x + 1 < t.width; ++x) ASSERT_EQ(count.rows[y][x], 1) << x << "," << y;
}

TEST(IBuffer, BlendedValuesAreExactAtCornersAndAgreeAlongSharedEdges) {
    const Tiling t{5, 81, 81};
    IBuffer<double> grid(1, 2, t.width, t.height, t.width, t.height);
    grid.fill(NAN);
    for (unsigned i = 0; i < t.n; ++i)
        for (unsigned j = 0; j < t.n; ++j) {
            double v[4][2];
            const unsigned ci[4] = {i, i + 1, i + 1, i}, cj[4] = {j, j, j + 1, j + 1};
            for (int k = 0; k < 4; ++k) {
                v[k][0] = t.value(ci[k], cj[k]);
                v[k][1] = -2.0 * t.value(ci[k], cj[k]);
            }
            grid.fillQuadWithLength(t.x(i, j), t.y(i, j), v[0], t.x(i + 1, j), t.y(i + 1, j), v[1],
                                    t.x(i + 1, j + 1), t.y(i + 1, j + 1), v[2], t.x(i, j + 1),
                                    t.y(i, j + 1), v[3], 2);
        }
    auto cell = [&](unsigned x, unsigned y, unsigned k) { return grid.data[(y * grid.width + x) * 2 + k]; };
    for (unsigned i = 0; i < t.n; ++i)
        for (unsigned j = 0; j < t.n; ++j) {
            EXPECT_EQ(cell(t.x(i, j), t.y(i, j), 0), t.value(i, j));
            EXPECT_EQ(cell(t.x(i, j), t.y(i, j), 1), -2.0 * t.value(i, j));
        }
    // Along the shared vertical edge between columns i and i+1 of quads, values are the
    // linear blend of the edge's end points, whichever quad wrote them.
    for (unsigned i = 1; i < t.n; ++i)
        for (unsigned j = 0; j < t.n; ++j) {
            const unsigned x0 = t.x(i, j), y0 = t.y(i, j), x1 = t.x(i, j + 1), y1 = t.y(i, j + 1);
            for (unsigned y = y0; y <= y1 && y + 1 < t.height; ++y) {
                // Only cells whose sample lies exactly on the edge.
                const long num = long(x1 - x0) * long(y - y0);
                if (num % long(y1 - y0) != 0) continue;
                const unsigned x = x0 + unsigned(num / long(y1 - y0));
                const double s = double(y - y0) / double(y1 - y0);
                const double expected = t.value(i, j) + s * (t.value(i, j + 1) - t.value(i, j));
                EXPECT_NEAR(cell(x, y, 0), expected, 1e-9) << x << "," << y;
            }
        }
}

TEST(IBuffer, DegenerateAndClippedQuadsAndEmptyGrids) {
    IBuffer<unsigned char> grid(1, 1, 20, 10, 20, 10);
    grid.fillQuad(0, 0, 5, 5, 10, 10, 15, 15, 7);  // all corners on one line
    for (unsigned c = 0; c < 200; ++c) ASSERT_EQ(grid.data[c], 0);

    grid.fillQuad(10, 5, 1000, 5, 1000, 1000, 10, 1000, 3);  // runs off the grid: clipped
    EXPECT_EQ(grid.rows[5][10], 3);
    EXPECT_EQ(grid.rows[9][19], 3);
    EXPECT_EQ(grid.rows[4][19], 0);
    EXPECT_EQ(grid.rows[9][9], 0);

    grid.fillQuad(0, 0, 0xFFFFFFF0u, 0, 0xFFFFFFF0u, 0xFFFFFFF0u, 0, 0xFFFFFFF0u, 9);  // absurd corners
    EXPECT_EQ(grid.rows[0][0], 0);

    IBuffer<double> empty(1, 1, 0, 0, 0, 0);
    EXPECT_EQ(empty.data, nullptr);
    EXPECT_EQ(empty.rows, nullptr);
    empty.fill(1.0);
    empty.fillQuad(0, 0, 5, 0, 5, 5, 0, 5, 1.0, 2.0, 3.0, 4.0);
    empty.resize(4, 3, 4, 3);
    ASSERT_NE(empty.rows, nullptr);
    EXPECT_EQ(empty.rows[2][3], 0.0);
    EXPECT_EQ(empty.getActualWidth(), 4u);
}

TEST(IBuffer, ResizeKeepsStorageThatIsLargeEnough) {
    IBuffer<double> grid(2, 2, 64, 64, 64, 64);
    const double* before = grid.data;
    grid.resize(32, 16, 32, 16);
    EXPECT_EQ(grid.data, before);
    EXPECT_EQ(grid.rows[15], grid.data + 15 * 32 * 2);
    EXPECT_EQ(grid.getMemorySize(), 64u * 64u * 2u * sizeof(double));
}
