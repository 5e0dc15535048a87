#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "manipulation/ResizerButtonStrategy.h"
#include "support/TestStrategies.h"

namespace {

const double kNaN = std::nan("");

struct Resizing : ::testing::Test {
    DravikManager manager{nullptr, 0};
    std::vector<std::string> log;

    // A w x h component at (100, 100) with the strategy, and a recorder of its resizes.
    VisComponent* place(VisComponentStrategy* strategy, unsigned w, unsigned h, double angle = 0.0) {
        VisComponent* c = makeComponent(100, 100, w, h);
        c->angle = angle;
        c->pushStrategy(new RecordingStrategy(&log, "r"));
        c->pushStrategy(strategy);
        manager.addComponent(c);
        log.clear();
        return c;
    }
    static void send(VisComponent* c, const char* type, double x, double y, unsigned user = 1) {
        DravikEvent e(eventType(type), user, x, y);
        c->onEvent(&e);
    }
    int resizes() const {
        int n = 0;
        for (const std::string& entry : log) n += entry.rfind("r.resize", 0) == 0;
        return n;
    }
};

}  // namespace

TEST_F(Resizing, DragsTheCornerInTheComponentsFrame) {
    VisComponent* c = place(new DraggingResizerStrategy, 100, 50);
    send(c, "PRESS", 120, 90);
    send(c, "DRAG", 130, 84);
    EXPECT_EQ(c->width, 110u);
    EXPECT_EQ(c->height, 56u);
    EXPECT_EQ(c->position, Point3d(105, 97, 0));
    EXPECT_EQ(resizes(), 0) << "grids follow at the release only";
    send(c, "DRAG", kNaN, 84);  // changes nothing
    EXPECT_EQ(c->width, 110u);
    send(c, "RELEASE", 130, 84, 2);  // any user's release ends it
    EXPECT_EQ(log.back(), "r.resize 110x56");
    send(c, "RELEASE", 130, 84);
    EXPECT_EQ(resizes(), 1) << "a release without a drag under way resizes nothing";

    VisComponent* turned = place(new DraggingResizerStrategy, 100, 50, M_PI / 2);
    send(turned, "PRESS", 100, 100);
    send(turned, "DRAG", 100, 90);
    EXPECT_EQ(turned->width, 90u);
    EXPECT_EQ(turned->height, 50u);
}

TEST_F(Resizing, KeepsTheMinimumAndMovesHalfTheWayAnyway) {
    VisComponent* c = place(new DraggingResizerStrategy, 100, 50);
    send(c, "DRAG", 50, 100);  // no press: only the point is remembered
    send(c, "DRAG", 0, 100);
    EXPECT_EQ(c->width, 100u);
    EXPECT_EQ(c->position, Point3d(100, 100, 0));

    send(c, "PRESS", 140, 100);
    send(c, "DRAG", 40, 200);
    EXPECT_EQ(c->width, 10u);
    EXPECT_EQ(c->height, 10u);
    EXPECT_EQ(c->position, Point3d(50, 150, 0));

    auto* zeroMinimum = new DraggingResizerStrategy;
    zeroMinimum->setMinWidth(0);
    zeroMinimum->setMinHeight(0);
    VisComponent* tiny = place(zeroMinimum, 20, 20);
    send(tiny, "PRESS", 100, 100);
    send(tiny, "DRAG", 50, 150);
    EXPECT_EQ(tiny->width, 1u) << "never below one pixel";
    EXPECT_EQ(tiny->height, 1u);
    send(tiny, "DRAG", 1e12, -1e12);
    EXPECT_EQ(tiny->width, 16384u);
    EXPECT_EQ(tiny->height, 16384u);
}

// 64 x 40 at (100, 100): cell (cx, cy) lies under global (68 + cx, 80 + cy).
TEST_F(Resizing, TheResizeButtonIsTheCornerBlockOfTheButtonGrid) {
    VisComponent* c = place(new ResizerButtonStrategy, 64, 40);
    ConstantProvider* names = ConstantProvider::getInstance();
    const unsigned type = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    const auto resize = static_cast<unsigned char>(names->getButtonBufferValue("RESIZE_BUTTON"));
    IBuffer<unsigned char>* grid = c->getActiveBufferByType(type)->getBuffer<unsigned char>();
    ASSERT_NE(grid, nullptr);
    for (unsigned y = 0; y < 40; ++y)
        for (unsigned x = 0; x < 64; ++x)
            ASSERT_EQ(grid->rows[y][x] == resize, x >= 56 && y <= 4) << x << ", " << y;

    send(c, "PRESS", 68 + 10, 80 + 20);  // inside, off the button
    send(c, "DRAG", 68 + 20, 80 + 20);
    EXPECT_EQ(c->width, 64u);
    send(c, "RELEASE", 68 + 20, 80 + 20);

    send(c, "PRESS", 68 + 60, 80 + 2);
    send(c, "DRAG", 68 + 76, 80 + 2);
    send(c, "RELEASE", 68 + 76, 80 + 2);
    EXPECT_EQ(c->width, 80u);
    grid = c->getActiveBufferByType(type)->getBuffer<unsigned char>();
    EXPECT_EQ(grid->width, 80u);
    EXPECT_EQ(grid->rows[0][70], resize) << "written again at the new size";
    EXPECT_NE(grid->rows[0][69], resize);
}

// Where the component already has a button grid, the button goes into it: one grid per type.
TEST_F(Resizing, TheResizeButtonJoinsAnExistingButtonGrid) {
    VisComponent* c = makeComponent(0, 0, 16, 16);
    const unsigned type = ConstantProvider::getInstance()->getBufferTypeIdentifier("BUTTON_BUFFER");
    auto* grid = new IBuffer<unsigned char>(type, 1, 16, 16, 16, 16);
    grid->fill(77);
    c->addActiveBuffer(new IBufferProxy(type, grid));
    c->pushStrategy(new ResizerButtonStrategy);
    manager.addComponent(c);
    EXPECT_EQ(c->getActiveBufferByType(type)->buffer, grid);
    EXPECT_NE(grid->rows[0][15], 77);
    EXPECT_EQ(grid->rows[0][13], 77);
    EXPECT_EQ(grid->rows[2][15], 77);
}
