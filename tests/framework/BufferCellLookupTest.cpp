#include <gtest/gtest.h>

#include <tuple>

#include "support/TestStrategies.h"

namespace {

struct Lookup : ::testing::Test {
    DravikManager manager{nullptr, 0};
    unsigned button = ConstantProvider::getInstance()->getBufferTypeIdentifier("LOOKUP_BUTTONS");
    unsigned direction = ConstantProvider::getInstance()->getBufferTypeIdentifier("LOOKUP_DIRECTION");
    VisComponent* owner = makeComponent(50, 50, 10, 10);  // grid cell = global - 45

    void SetUp() override {
        auto* buttons = new IBuffer<unsigned char>(button, 1, 10, 10, 10, 10);
        for (unsigned y = 0; y < 10; ++y)
            for (unsigned x = 0; x < 10; ++x) buttons->rows[y][x] = static_cast<unsigned char>(10 * y + x);
        owner->addActiveBuffer(new IBufferProxy(button, buttons));
        auto* flow = new IBuffer<double>(direction, 2, 10, 10, 10, 10);
        for (unsigned c = 0; c < 100; ++c) {
            flow->data[2 * c] = c;
            flow->data[2 * c + 1] = -double(c);
        }
        owner->addActiveBuffer(new IBufferProxy(direction, flow));
        manager.setRootComponent(owner);
    }
};

}  // namespace

TEST_F(Lookup, ActiveCellAtTheGridEdges) {
    unsigned char v = 200;
    EXPECT_FALSE(readActiveBufferCell(owner, button, 45, 45, &v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(readActiveBufferCell(owner, button, 54, 46, &v));  // last column
    EXPECT_EQ(v, 19);
    // One past it, left of it, far below; not a byte grid, no such grid, no component: nothing read.
    v = 200;
    const std::tuple<VisComponent*, unsigned, unsigned, unsigned> misses[] = {
        {owner, button, 55, 46}, {owner, button, 44, 46}, {owner, button, 46, 0xFFFFFFFFu},
        {owner, direction, 46, 46}, {owner, 999, 46, 46}, {nullptr, button, 46, 46}};
    for (const auto& [c, type, x, y] : misses) EXPECT_TRUE(readActiveBufferCell(c, type, x, y, &v)) << type << " " << x << "," << y;
    EXPECT_EQ(v, 200);
}

TEST_F(Lookup, PassiveCellUsesTheOwnersGeometry) {
    auto* reader = makeComponent(47, 48, 4, 4);
    reader->addPassiveBuffer(new IBufferProxy(direction));
    manager.addComponent(reader);
    double v[2] = {0, 0};
    EXPECT_FALSE(readPassiveBufferCell(reader, direction, 47, 48, v));
    EXPECT_EQ(std::make_pair(v[0], v[1]), std::make_pair(32.0, -32.0));
    reader->moveBranchBy(30, 30, 0);  // the reader's own place changes nothing
    EXPECT_FALSE(readPassiveBufferCell(reader, direction, 47, 48, v));
    EXPECT_EQ(v[0], 32.0);
    v[0] = 7;
    EXPECT_TRUE(readPassiveBufferCell(reader, direction, 80, 80, v));
    EXPECT_TRUE(readPassiveBufferCell(reader, button, 47, 48, v));  // not read passively
    EXPECT_EQ(v[0], 7);
}
