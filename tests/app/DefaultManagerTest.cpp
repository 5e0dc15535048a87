#include <gtest/gtest.h>

#include <cstdlib>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "support/TestStrategies.h"

TEST(DefaultManager, KeepsTheRootCentredAndOffersTwoIndicators) {
    DefaultManager manager;
    ASSERT_EQ(manager.touchIndicators.size(), 2u);
    for (VisComponent* indicator : manager.touchIndicators)
        EXPECT_NE(dynamic_cast<VisComponentGL*>(indicator), nullptr);
    EXPECT_EQ(manager.touchTargets, (std::vector<VisComponent*>{nullptr, nullptr}));

    manager.resize(800, 600);  // no root yet: only the size
    EXPECT_EQ(manager.displayWidth, 800u);
    manager.setRootComponent(makeComponent(5, 5, 100, 100));
    manager.resize(1025, 769);
    EXPECT_EQ(manager.rootComponent->position, Point3d(512, 384, 0));
    EXPECT_EQ(manager.displayHeight, 769u);
}

TEST(DefaultManager, RandomValuesLieBetweenTheBoundsInEitherOrder) {
    std::srand(7);
    bool sawDifferent = false;
    const double first = DefaultManager::obtainRandomDouble(5, 2);
    for (int i = 0; i < 1000; ++i) {
        const double a = DefaultManager::obtainRandomDouble(5, 2), b = DefaultManager::obtainRandomDouble(2, 5);
        const float f = DefaultManager::obtainRandomFloat(-1, 1);
        EXPECT_TRUE(a >= 2 && a <= 5) << a;
        EXPECT_TRUE(b >= 2 && b <= 5) << b;
        EXPECT_TRUE(f >= -1 && f <= 1) << f;
        sawDifferent = sawDifferent || a != first;
    }
    EXPECT_TRUE(sawDifferent);
    EXPECT_EQ(DefaultManager::obtainRandomDouble(3, 3), 3.0);
}
