#include "app/VisComponentGL.h"

#include <GL/gl.h>

namespace {
constexpr double kDegreesPerRadian = 57.29577951308232;
}

VisComponentGL::~VisComponentGL() = default;

void VisComponentGL::preRender() {
    glPushMatrix();
    glTranslated(position.x, position.y, position.z);
    glRotated(angle * kDegreesPerRadian, 0.0, 0.0, 1.0);
    glScaled(scale.x, scale.y, scale.z);
}

void VisComponentGL::postRender() { glPopMatrix(); }

void VisComponentGL::drawPickingArea() {
    unsigned char rgb[3];
    getIdColor(rgb);
    glColor3ub(rgb[0], rgb[1], rgb[2]);
    // The cells of the component's grid: x from -(width >> 1) up to, not including,
    // width - (width >> 1), the same extent that isInside tests.
    const double left = -static_cast<double>(width >> 1), bottom = -static_cast<double>(height >> 1);
    glRectd(left, bottom, left + width, bottom + height);
}
