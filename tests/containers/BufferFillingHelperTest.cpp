#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "containers/BufferFillingHelper.h"

namespace {

using Quad = BufferFillingHelper::Quad2f;

Quad square(IBuffer<double>* grid, unsigned kind, unsigned x0, unsigned y0, unsigned side, double value) {
    Quad q;
    q.grid = grid;
    q.kind = kind;
    const unsigned xs[4] = {x0, x0 + side, x0 + side, x0}, ys[4] = {y0, y0, y0 + side, y0 + side};
    for (int k = 0; k < 4; ++k) {
        q.corners[k].x = xs[k];
        q.corners[k].y = ys[k];
        q.corners[k].values[0] = value;
        q.corners[k].values[1] = -value;
    }
    return q;
}

// A ring of quads around the middle of a grid, as a belt's current is made of: neighbours
// share edges, corners carry different values, every other quad of two values; then a few
// quads lying across the ring, overlapping it.
std::vector<Quad> beltLikeQuads(IBuffer<double>* scalar, IBuffer<double>* vector, unsigned segments) {
    std::vector<Quad> quads;
    const double cx = 300.0, cy = 200.0;
    auto corner = [&](unsigned i, double r, Quad::Corner& c, double value) {
        const double a = 2.0 * M_PI * (i % segments) / segments;
        c.x = static_cast<unsigned>(int(cx + r * std::cos(a)));
        c.y = static_cast<unsigned>(int(cy + r * 0.9 * std::sin(a)));
        c.values[0] = value;
        c.values[1] = value * 0.5 - 3.0;
    };
    for (unsigned i = 0; i < segments; ++i) {
        for (IBuffer<double>* grid : {scalar, vector}) {
            Quad q;
            q.grid = grid;
            q.kind = grid == scalar ? 1 : 2;
            corner(i, 260, q.corners[0], i * 1.5);
            corner(i + 1, 260, q.corners[1], i * 1.5 + 1.5);
            corner(i + 1, 140, q.corners[2], -double(i));
            corner(i, 140, q.corners[3], 7.0);
            quads.push_back(q);
        }
    }
    for (unsigned k = 0; k < 7; ++k) quads.push_back(square(k % 2 ? vector : scalar, k % 2 ? 2 : 1, 40 + 90 * k, 150, 120, k));
    return quads;
}

}  // namespace

TEST(BufferFillingHelper, TwoThreadsFillExactlyWhatOneThreadFills) {
    // Also the test that ThreadSanitizer runs: the threads write one grid at once.
    IBuffer<double> scalar1(1, 1, 600, 400, 600, 400), vector1(1, 2, 600, 400, 600, 400);
    IBuffer<double> scalar2(1, 1, 600, 400, 600, 400), vector2(1, 2, 600, 400, 600, 400);
    for (unsigned segments : {64u, 7u}) {
        for (IBuffer<double>* g : {&scalar1, &vector1, &scalar2, &vector2}) g->fill(-1.0);
        std::vector<Quad> one = beltLikeQuads(&scalar1, &vector1, segments);
        std::vector<Quad> two = beltLikeQuads(&scalar2, &vector2, segments);
        const unsigned count = static_cast<unsigned>(two.size());
        BufferFillingHelper::multithreadFill(one.data(), 1, count, 0);
        two.push_back(Quad());  // an odd count: the last run is one shorter
        BufferFillingHelper::multithreadFill(two.data(), 2, (count + 1) / 2, count % 2);
        for (unsigned i = 0; i < 600 * 400; ++i) ASSERT_EQ(scalar1.data[i], scalar2.data[i]) << segments << " " << i;
        for (unsigned i = 0; i < 600 * 400 * 2; ++i) ASSERT_EQ(vector1.data[i], vector2.data[i]) << segments << " " << i;
        unsigned written = 0;
        for (unsigned i = 0; i < 600 * 400; ++i) written += scalar1.data[i] != -1.0;
        EXPECT_GT(written, 50000u);
    }
}

TEST(BufferFillingHelper, FillsTheRunsAndNothingBeyond) {
    IBuffer<double> grid(1, 2, 100, 20, 100, 20), untouched(1, 2, 100, 20, 100, 20);
    std::vector<Quad> quads;
    for (unsigned i = 0; i < 6; ++i) quads.push_back(square(i == 5 ? &untouched : &grid, 2, 10 * i, 2, 8, i + 1.0));
    quads[2].kind = 0;  // skipped; the quads after it are still filled
    // Two runs of three, the last one short by one: quads 0 to 4; quad 5 is never read.
    BufferFillingHelper::multithreadFill(quads.data(), 2, 3, 1);
    auto cell = [&](unsigned x) { return grid.data[(5 * 100 + x) * 2]; };  // on row 5
    const double filled[5] = {1.0, 2.0, 0.0, 4.0, 5.0};
    for (unsigned i = 0; i < 5; ++i) EXPECT_EQ(cell(10 * i + 4), filled[i]) << i;
    EXPECT_EQ(grid.data[(5 * 100 + 44) * 2 + 1], -5.0);
    for (unsigned i = 0; i < 100 * 20 * 2; ++i) ASSERT_EQ(untouched.data[i], 0.0);

    // One thread: the caller alone fills quadsPerThread - lastShortBy quads.
    grid.fill(0.0);
    BufferFillingHelper::multithreadFill(quads.data(), 1, 3, 1);
    EXPECT_EQ(cell(14), 2.0);
    EXPECT_EQ(cell(34), 0.0);
}
