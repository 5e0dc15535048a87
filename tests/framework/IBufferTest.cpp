#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

#include "framework/IBuffer.h"

namespace {

using Quad = std::array<unsigned, 8>;  // corners (x, y) in order

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

    std::vector<Quad> quads() const {
        std::vector<Quad> out;
        for (unsigned i = 0; i < n; ++i)
            for (unsigned j = 0; j < n; ++j)
                out.push_back({x(i, j), y(i, j), x(i + 1, j), y(i + 1, j), x(i + 1, j + 1), y(i + 1, j + 1), x(i, j + 1), y(i, j + 1)});
        return out;
    }
};

// How many of the quads claim each cell of a width x height grid.
std::vector<int> coverageCounts(unsigned width, unsigned height, const std::vector<Quad>& quads) {
    std::vector<int> count(std::size_t(width) * height, 0);
    IBuffer<unsigned char> one(1, 1, width, height, width, height);
    for (const Quad& q : quads) {
        one.fill(0);
        one.fillQuad(q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7], 1);
        for (std::size_t c = 0; c < count.size(); ++c) count[c] += one.data[c];
    }
    return count;
}

}  // namespace

TEST(IBuffer, TilingsOfTheWholeGridCoverEveryCellExactlyOnce) {
    // Outer corners on columns 0 and width - 1, rows 0 and height - 1: the last row and
    // column belong to the grid too.
    for (const Tiling& t : {Tiling{7, 97, 61}, Tiling{1, 10, 10}, Tiling{3, 12, 50}, Tiling{9, 40, 23}})
        EXPECT_EQ(coverageCounts(t.width, t.height, t.quads()), std::vector<int>(t.width * t.height, 1)) << t.width << "x" << t.height;
    // Fans of eight triangles (quads whose last corner is the first) around points of a
    // 10 x 8 grid, among them the last column and the top right corner; the fans' outer
    // points lie off the grid.
    const int ring[8][2] = {{20, 0}, {20, 20}, {0, 20}, {-20, 20}, {-20, 0}, {-20, -20}, {0, -20}, {20, -20}};
    for (const auto& [cx, cy] : {std::pair{9, 5}, {9, 7}, {0, 0}, {4, 3}}) {
        std::vector<Quad> fan;
        for (int k = 0; k < 8; ++k) {
            const int *p = ring[k], *q = ring[(k + 1) % 8];
            fan.push_back({unsigned(cx), unsigned(cy), unsigned(cx + p[0]), unsigned(cy + p[1]), unsigned(cx + q[0]),
                           unsigned(cy + q[1]), unsigned(cx), unsigned(cy)});
        }
        EXPECT_EQ(coverageCounts(10, 8, fan), std::vector<int>(80, 1)) << cx << "," << cy;
    }
    // One quad over a 10 x 10 grid covers its 100 cells; on a larger grid the same quad
    // leaves its right and top edges to the neighbours it would have there.
    for (unsigned side : {10u, 20u}) {
        const std::vector<int> count = coverageCounts(side, side, {{0, 0, 9, 0, 9, 9, 0, 9}});
        EXPECT_EQ(std::accumulate(count.begin(), count.end(), 0), side == 10 ? 100 : 81);
    }
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
    EXPECT_EQ((std::vector<int>{grid.rows[5][10], grid.rows[9][19], grid.rows[4][19], grid.rows[9][9]}),
              (std::vector<int>{3, 3, 0, 0}));

    // Corners left of and below the grid are negative numbers converted to unsigned: the
    // quad from (-16, -16) to (4, 4) covers columns and rows 0 to 3 (4 is its right and top
    // edge).
    grid.fill(0);
    grid.fillQuad(0xFFFFFFF0u, 0xFFFFFFF0u, 4, 0xFFFFFFF0u, 4, 4, 0xFFFFFFF0u, 4, 9);
    for (unsigned y = 0; y < 10; ++y)
        for (unsigned x = 0; x < 20; ++x) EXPECT_EQ(grid.rows[y][x], (x < 4 && y < 4) ? 9 : 0) << x << "," << y;

    // Corners two thousand million cells away: the half of the grid at and below the
    // diagonal x = y (its cells nudged right), all but the top right cell, nudged left and
    // down off the diagonal.
    IBuffer<unsigned char> square(1, 1, 8, 8, 8, 8);
    const unsigned far = 2000000000u, farNegative = unsigned(-2000000000);
    square.fillQuad(farNegative, farNegative, far, farNegative, far, far, far, far, 1);
    for (unsigned y = 0; y < 8; ++y)
        for (unsigned x = 0; x < 8; ++x)
            EXPECT_EQ(square.rows[y][x], (x >= y && !(x == 7 && y == 7)) ? 1 : 0) << x << "," << y;

    IBuffer<double> empty(1, 1, 0, 0, 0, 0);
    EXPECT_TRUE(empty.data == nullptr && empty.rows == nullptr);
    empty.fill(1.0);
    empty.fillQuad(0, 0, 5, 0, 5, 5, 0, 5, 1.0, 2.0, 3.0, 4.0);
    empty.resize(4, 3, 4, 3);
    ASSERT_NE(empty.rows, nullptr);
    EXPECT_EQ(std::make_pair(empty.rows[2][3], empty.getActualWidth()), std::make_pair(0.0, 4u));
}

TEST(IBuffer, BandsOfRowsTogetherFillWhatOneFillDoes) {
    // Overlapping quads, in order: the later one wins wherever they overlap, in each band.
    IBuffer<double> whole(1, 2, 64, 48, 64, 48), banded(1, 2, 64, 48, 64, 48);
    const double a[2] = {1, 2}, b[2] = {3, -4}, c[2] = {5, 6}, d[2] = {-7, 8};
    auto fillAll = [&](IBuffer<double>& grid, RowBand band) {
        grid.fillQuadWithLength(2, 1, a, 60, 5, b, 50, 45, c, 0, 40, d, 2, band);
        grid.fillQuadWithLength(unsigned(-10), 20, d, 70, 10, a, 30, 60, b, 10, 30, c, 2, band);
    };
    fillAll(whole, RowBand());
    for (unsigned first : {0u, 7u, 23u, 24u, 47u}) fillAll(banded, RowBand{first, first == 47 ? 48u : first + 17});
    fillAll(banded, RowBand{41, 100});
    for (unsigned i = 0; i < 64 * 48 * 2; ++i) ASSERT_EQ(whole.data[i], banded.data[i]) << i;

    IBuffer<unsigned char> bytes(1, 1, 8, 8, 8, 8);
    bytes.fillQuad(0, 0, 7, 0, 7, 7, 0, 7, 1, RowBand{2, 4});
    for (unsigned y = 0; y < 8; ++y) EXPECT_EQ(bytes.rows[y][3], (y == 2 || y == 3) ? 1 : 0) << y;
}
