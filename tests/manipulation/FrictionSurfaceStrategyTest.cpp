#include <gtest/gtest.h>

#include <climits>

#include "manipulation/FrictionSurfaceStrategy.h"
#include "support/TestStrategies.h"

namespace {

struct Surface : ::testing::Test {
    DravikManager manager{nullptr, 0};

    IBuffer<double>* place(VisComponent* c, FrictionSurfaceStrategy* surface = new FrictionSurfaceStrategy) {
        c->pushStrategy(surface);
        manager.addComponent(c);
        return grid(c);
    }
    static IBuffer<double>* grid(const VisComponent* c) {
        IBufferProxy* proxy =
            c->getActiveBufferByType(ConstantProvider::getInstance()->getBufferTypeIdentifier("FRICTION_BUFFER"));
        return proxy != nullptr ? proxy->getBuffer<double>() : nullptr;
    }
    // True when the cells in columns [x0, x1) and rows [y0, y1) hold `inner` and all others `border`.
    static bool filled(const IBuffer<double>* g, double inner, double border, unsigned x0, unsigned x1,
                       unsigned y0, unsigned y1) {
        if (g == nullptr) return false;
        for (unsigned y = 0; y < g->height; ++y)
            for (unsigned x = 0; x < g->width; ++x)
                if (g->rows[y][x] != (x >= x0 && x < x1 && y >= y0 && y < y1 ? inner : border)) return false;
        return true;
    }
};

}  // namespace

TEST_F(Surface, InteriorInsideABandAlongEveryEdge) {
    IBuffer<double>* g = place(makeComponent(300, 300, 100, 60));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->width, 100u);
    EXPECT_EQ(g->height, 60u);
    EXPECT_TRUE(filled(g, 0.01, 1.0, 20, 80, 20, 40));

    // No interior when the bands meet or the grid is narrower than one band.
    for (unsigned side : {40u, 10u, 1u})
        EXPECT_TRUE(filled(place(makeComponent(100, 100, side, side)), 0.01, 1.0, 0, 0, 0, 0)) << side;
    auto* unbounded = new FrictionSurfaceStrategy;
    unbounded->setBorderWidth(UINT_MAX);  // twice the band must not wrap around
    EXPECT_TRUE(filled(place(makeComponent(100, 100, 30, 30), unbounded), 0.01, 1.0, 0, 0, 0, 0));
}

TEST_F(Surface, SettingsReachTheGridAtTheNextResize) {
    auto* surface = new FrictionSurfaceStrategy;
    surface->setBorderWidth(0);
    surface->setBorderHeight(5);
    VisComponent* mat = makeComponent(300, 300, 50, 30);
    EXPECT_TRUE(filled(place(mat, surface), 0.01, 1.0, 0, 50, 5, 25));  // interior spans the width

    surface->setInnerFriction(0.3);
    surface->setBorderFriction(0.9);
    surface->setBorderWidth(10);
    EXPECT_TRUE(filled(grid(mat), 0.01, 1.0, 0, 50, 5, 25));
    mat->resize(60, 40);
    EXPECT_EQ(grid(mat)->width, 60u);
    EXPECT_TRUE(filled(grid(mat), 0.3, 0.9, 10, 50, 5, 35));
}
