#include <gtest/gtest.h>

#include <tuple>

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
    EXPECT_EQ(std::make_tuple(blank.getKey(), blank.userId, blank.contacts), std::make_tuple(' ', DravikEvent::NoUserId, 1u));

    VisComponentGL target;
    KeyEvent a('x', 9, 3, 1.5, 2.5, 3.5, &target);
    KeyEvent b = a;
    b.setKey('y');
    EXPECT_EQ(a.getKey(), 'x');
    blank = b;
    EXPECT_EQ(std::make_tuple(blank.getKey(), blank.type, blank.getCoords(), blank.component),
              std::make_tuple('y', 9u, Point3d(1.5, 2.5, 3.5), static_cast<VisComponent*>(&target)));
}
