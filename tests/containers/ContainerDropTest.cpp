#include "ContainerTestSupport.h"
#include "containers/CurrentObserverStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TranslationStrategy.h"

// Items dropped on a current belt become its children and read its grids. (A tray that
// carries, turns and lets go of what is dropped on it is played in ContainerScenesGLTest.)
TEST_F(ContainerScene, ItemsDroppedOnACurrentBeltReadItsGrids) {
    VisComponent* belt = add(500, 400, 400, 400, {new CurrentBeltContainerStrategy(100.0), new TranslationStrategy});
    VisComponent* tile = add(100, 100, 50, 50, {new LazyTranslationStrategy, new CurrentObserverStrategy});
    EXPECT_EQ(tile->getPassiveBufferByType(bufferType("SIZE_BUFFER"))->owner, nullptr);
    dragAndDrop(100, 100, 500 + 114.9, 400);
    ASSERT_EQ(tile->getParent(), belt);
    for (const char* type : {"SIZE_BUFFER", "ORIENTATION_BUFFER", "DIRECTION_BUFFER"})
        EXPECT_EQ(tile->getPassiveBufferByType(bufferType(type))->owner, belt) << type;
    // The drop read the grids at once (the values read are checked in CurrentBeltTest):
    // moved a pixel up the belt, then one more at the next read.
    EXPECT_NEAR(tile->angle, 1.5708, 0.01);
    EXPECT_NEAR(tile->position.y, 401.0, 0.02);
    manager.readPassiveBuffers();
    EXPECT_NEAR(tile->position.y, 402.0, 0.05);

    // Carried with the belt when it is dragged by its ring.
    dragAndDrop(500 + 170, 400 - 20, 500 + 170 - 100, 400 - 20);
    EXPECT_NEAR(belt->position.x, 400.0, 1e-9);
    EXPECT_NEAR(tile->position.x, 500 + 114.9 - 100, 0.05);
}
