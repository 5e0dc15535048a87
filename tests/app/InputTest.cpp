#include <gtest/gtest.h>

#include "app/VisComponentGL.h"
#include "manipulation/KeyEvent.h"
#include "manipulation/TouchIndicatorStrategy.h"

TEST(TouchIndicatorStrategy, PutsItsComponentWhereEveryEventIs) {
    VisComponentGL marker;
    marker.position = Point3d(1, 2, 7);
    auto* child = new VisComponentGL;
    marker.addChild(child);
    marker.pushStrategy(new TouchIndicatorStrategy);

    DravikEvent drag(5, 2, 120.5, 40.0, 99.0);
    marker.onEvent(&drag);
    EXPECT_EQ(marker.position, Point3d(120.5, 40.0, 7.0));  // z stays
    EXPECT_EQ(child->position, Point3d());                  // set, not moved: no subtree follows

    KeyEvent key('q', 0, DravikEvent::NoUserId, -3.0, 1e9);  // any type, any user
    marker.onEvent(&key);
    EXPECT_EQ(marker.position, Point3d(-3.0, 1e9, 7.0));
    marker.onEvent(nullptr);
    EXPECT_EQ(marker.position, Point3d(-3.0, 1e9, 7.0));
}

TEST(KeyEvent, DefaultsCopiesAndKey) {
    KeyEvent blank;
    EXPECT_EQ(blank.getKey(), ' ');
    EXPECT_EQ(blank.userId, DravikEvent::NoUserId);
    EXPECT_EQ(blank.contacts, 1u);

    VisComponentGL target;
    KeyEvent a('x', 9, 3, 1.5, 2.5, 3.5, &target);
    KeyEvent b = a;
    b.setKey('y');
    EXPECT_EQ(a.getKey(), 'x');
    EXPECT_EQ(b.getKey(), 'y');
    EXPECT_EQ(b.getCoords(), Point3d(1.5, 2.5, 3.5));
    EXPECT_EQ(b.component, &target);
    blank = b;
    EXPECT_EQ(blank.getKey(), 'y');
    EXPECT_EQ(blank.type, 9u);
}
