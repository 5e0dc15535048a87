#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ButtonGrid.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TranslationStrategy.h"
#include "support/TestStrategies.h"

namespace {

// A 100 x 100 component at (200, 200) in a 1024 x 768 scene; events go to it directly.
struct Translation : ::testing::Test {
    DravikManager manager{nullptr, 0};
    VisComponent* item = makeComponent(200, 200, 100, 100);

    void SetUp() override { manager.resize(1024, 768); }
    void add(VisComponentStrategy* strategy) {
        item->pushStrategy(strategy);
        manager.addComponent(item);
    }
    void send(const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        item->onEvent(&e);
    }
    void expectAt(double x, double y) {
        EXPECT_DOUBLE_EQ(item->position.x, x);
        EXPECT_DOUBLE_EQ(item->position.y, y);
    }
};

}  // namespace

TEST_F(Translation, HolderDragsFromTheTranslationAreaByExactDisplacements) {
    addButtonGrid(item, "TRANSLATION_AREA");  // left half: global x below 200
    add(new TranslationStrategy);

    send("PRESS", 1, 170.7, 190.2);
    send("PRESS", 2, 180, 180);  // taken: ignored
    send("DRAG", 1, 180.7, 195.2);  // from the press point
    expectAt(210, 205);
    send("DRAG", 1, 181.2, 185.2);  // from the previous drag, fractions kept
    expectAt(210.5, 195);
    send("DRAG", 2, 400, 400);
    send("RELEASE", 2, 400, 400);  // not the holder: still held by user 1
    send("DRAG", 1, 191.2, 185.2);
    expectAt(220.5, 195);
    send("RELEASE", 1, 191.2, 185.2);
    send("DRAG", 1, 300, 300);
    expectAt(220.5, 195);

    // Free again: the other user can take it.
    send("PRESS", 2, 200, 190);
    send("DRAG", 2, 205, 190);
    expectAt(225.5, 195);
}

TEST_F(Translation, PressOffTheAreaHoldsWithoutMovingUntilTheHoldersRelease) {
    addButtonGrid(item, "TRANSLATION_AREA");
    add(new TranslationStrategy);

    send("PRESS", 1, 400, 400);  // outside the component: nothing
    send("DRAG", 1, 410, 400);
    send("PRESS", 1, 230, 200);  // right half: held, not translating
    send("DRAG", 1, 260, 200);
    send("PRESS", 2, 180, 200);  // held by user 1 even so
    send("DRAG", 2, 190, 200);
    expectAt(200, 200);
    send("RELEASE", 1, 260, 200);
    send("PRESS", 2, 180, 200);
    send("DRAG", 2, 170, 210);
    expectAt(190, 210);
}

TEST_F(Translation, LazyVariantMovesFromAnyPointWithoutAButtonGrid) {
    add(new TranslationStrategy);
    auto* other = makeComponent(600, 200, 100, 100);
    other->pushStrategy(new LazyTranslationStrategy);
    manager.addComponent(other);

    send("PRESS", 1, 240, 240);
    send("DRAG", 1, 250, 250);
    expectAt(200, 200);  // no grid: "NO_BUTTON", held only

    DravikEvent press(eventType("PRESS"), 1, 640, 240), drag(eventType("DRAG"), 1, 650, 230);
    other->onEvent(&press);
    other->onEvent(&drag);
    EXPECT_DOUBLE_EQ(other->position.x, 610);
    EXPECT_DOUBLE_EQ(other->position.y, 190);
}

TEST_F(Translation, BadEventsMoveNothing) {
    add(new LazyTranslationStrategy);
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    item->onEvent(nullptr);
    send("RELEASE", 1, 200, 200);  // without a press
    send("DRAG", 3, 250, 250);     // of a user holding nothing
    send("PRESS", 1, nan, 200);
    send("PRESS", 1, 200, -inf);
    send("DRAG", 1, 250, 250);
    expectAt(200, 200);

    send("PRESS", 1, 200, 200);
    send("DRAG", 1, nan, 210);
    send("DRAG", 1, inf, inf);
    send("RELEASE", 1, nan, nan);  // ignored: the holder still drags
    send("DRAG", 1, 205, 210);     // from the last finite point
    expectAt(205, 210);
}
