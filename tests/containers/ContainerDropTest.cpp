#include <cmath>

#include "ContainerTestSupport.h"
#include "containers/CurrentObserverStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/RNTStrategy.h"
#include "manipulation/TranslationStrategy.h"

// Items dropped on containers become their children, so that they go where the container
// goes, and leave it when dragged off.
TEST_F(ContainerScene, ContainersCarryWhatIsDroppedOnThemAndLetItGo) {
    // A container at (500, 400): its ring (from 114.9 to 132.6 right of the centre) drags
    // it, its inside turns it.
    VisComponent* box = add(500, 400, 300, 300, {new BoundedContainerStrategy(4, 4), new TranslationStrategy,
                                                 new RNTStrategy});
    VisComponent* photo = add(100, 100, 40, 30, {new LazyTranslationStrategy});
    dragAndDrop(100, 100, 540, 430);
    ASSERT_EQ(photo->getParent(), box);

    // Dragged by its ring, the container takes the photo along.
    dragAndDrop(500 + 125, 400, 500 + 125 + 60, 400 - 40);
    EXPECT_EQ(box->position, Point3d(560, 360, 0));
    EXPECT_EQ(photo->position, Point3d(600, 390, 0));

    // Turned from its inside, the container turns the photo about its own centre.
    const double angleBefore = box->angle;
    dragAndDrop(560 + 60, 360, 560 + 40, 360 + 45);
    const double turned = box->angle - angleBefore;
    ASSERT_GT(std::fabs(turned), 0.1);
    EXPECT_NEAR(photo->angle, turned, 1e-9);
    EXPECT_NEAR(std::hypot(photo->position.x - box->position.x, photo->position.y - box->position.y), 50.0, 1e-6);

    // Dragged off the container, the photo lies on the table again.
    dragAndDrop(photo->position.x, photo->position.y, 900, 700);
    EXPECT_EQ(photo->getParent(), nullptr);
    EXPECT_EQ(manager.components.back(), photo);
}

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
