#include "appearance/GradientRoundBorderStrategy.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// The band from the circle of `radius` in `rgba` out to `radius` + `width` in the same colour
// with alpha 0, closing on its start.
void compileBand(DisplayList& list, const double* rgba, double radius, double width, std::uint32_t segments) {
    const double outer = radius + (std::isfinite(width) ? width : 0.0);
    list.compile([&] {
        if (segments == 0) return;  // one pair of vertices would enclose nothing
        const double step = 2.0 * M_PI / segments;
        glBegin(GL_QUAD_STRIP);
        for (std::uint32_t i = 0; i <= segments; ++i) {
            const double c = std::cos(i * step), s = std::sin(i * step);
            glColor4d(rgba[0], rgba[1], rgba[2], rgba[3]);
            glVertex3d(radius * c, radius * s, 0.0);
            glColor4d(rgba[0], rgba[1], rgba[2], 0.0);
            glVertex3d(outer * c, outer * s, 0.0);
        }
        glEnd();
    });
}

}  // namespace

void GradientRoundBorderStrategy::createDisplayList() {
    double r = 0.0;
    if (!takeCircle(r)) return;
    compileBand(displayList, color, r, borderWidth, numberSegments);
    compileBand(selectedDisplayList, selectedColor, r, selectedBorderWidth, numberSegments);
}

void GradientRoundBorderStrategy::drawOutline(bool selected) { (selected ? selectedDisplayList : displayList).call(); }
