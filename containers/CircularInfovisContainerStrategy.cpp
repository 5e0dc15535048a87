#include "containers/CircularInfovisContainerStrategy.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/VisComponent.h"

namespace {
constexpr double kFullTurn = 6.283185307179586;
constexpr double kMostEdges = 65536.0;
}  // namespace

CircularInfovisContainerStrategy::CircularInfovisContainerStrategy(double segmentAngle)
    : segmentAngle(segmentAngle) {}

CircularInfovisContainerStrategy::~CircularInfovisContainerStrategy() = default;

void CircularInfovisContainerStrategy::createDisplayList() {
    listWidth = component->width;
    listHeight = component->height;
    const double radius = std::min(listWidth, listHeight) * 0.5;
    const double edges = 360.0 / segmentAngle + 0.5;
    // Too few or too many edges: no fan.
    const int n = edges >= 1.0 && edges <= kMostEdges ? static_cast<int>(edges) : 0;
    const double step = n > 0 ? kFullTurn / n : 0.0;
    displayList.compile([&] {
        glColor3ubv(idColor);
        if (n == 0) return;  // a fan of its centre alone would draw nothing (some drivers still emit it)
        glBegin(GL_TRIANGLE_FAN);
        glVertex2d(0.0, 0.0);
        for (int i = 0; i <= n; ++i) glVertex2d(radius * std::cos(i * step), radius * std::sin(i * step));
        glEnd();
    });
}
