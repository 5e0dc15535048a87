#ifndef DRAVIK_TESTS_MANIPULATION_TOUCHES_H
#define DRAVIK_TESTS_MANIPULATION_TOUCHES_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "support/TestStrategies.h"

// One event of the user, straight to the component.
inline void send(VisComponent* c, const char* type, unsigned user, double x, double y) {
    DravikEvent e(eventType(type), user, x, y);
    c->onEvent(&e);
}

// A press at the first point and a drag to each later one; a stroke ends with a release at
// the last.
inline void pressAndDrag(VisComponent* c, unsigned user, std::initializer_list<std::pair<double, double>> points) {
    send(c, "PRESS", user, points.begin()->first, points.begin()->second);
    for (auto p = points.begin() + 1; p != points.end(); ++p) send(c, "DRAG", user, p->first, p->second);
}
inline void stroke(VisComponent* c, unsigned user, std::initializer_list<std::pair<double, double>> points) {
    pressAndDrag(c, user, points);
    send(c, "RELEASE", user, (points.end() - 1)->first, (points.end() - 1)->second);
}


#endif
