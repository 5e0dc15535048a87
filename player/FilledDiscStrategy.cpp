#include "player/FilledDiscStrategy.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/VisComponent.h"

namespace {

constexpr int kSegments = 72;

void drawDisc(double radius) {
    glBegin(GL_TRIANGLE_FAN);
    glVertex2d(0.0, 0.0);
    for (int i = 0; i <= kSegments; ++i) {
        const double a = 2.0 * M_PI * i / kSegments;
        glVertex2d(radius * std::cos(a), radius * std::sin(a));
    }
    glEnd();
}

double outerRadius(const VisComponent& c) { return std::min(c.width, c.height) * 0.5; }

}  // namespace

FilledDiscStrategy::FilledDiscStrategy(const double color[4], double width) : rimWidth(width) {
    std::copy(color, color + 4, rimColor);
}

void FilledDiscStrategy::draw(const std::vector<unsigned long>&) {
    const double outer = outerRadius(*component);
    const double inner = std::max(0.0, outer - rimWidth);
    // Blending is the host's state (or a capture's, which keeps alpha apart).
    glPushAttrib(GL_CURRENT_BIT);
    glColor4dv(component->color);
    drawDisc(inner);
    glColor4d(rimColor[0], rimColor[1], rimColor[2], rimColor[3] * component->color[3]);
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i <= kSegments; ++i) {
        const double a = 2.0 * M_PI * i / kSegments;
        glVertex2d(outer * std::cos(a), outer * std::sin(a));
        glVertex2d(inner * std::cos(a), inner * std::sin(a));
    }
    glEnd();
    glPopAttrib();
}

void FilledDiscStrategy::drawForPicking() {
    unsigned char rgb[3];
    component->getIdColor(rgb);
    glColor3ubv(rgb);
    drawDisc(outerRadius(*component));
}
