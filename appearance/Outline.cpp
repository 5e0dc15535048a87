#include "appearance/detail/Outline.h"

#include <GL/gl.h>

#include "app/DisplayList.h"
#include "framework/VisComponent.h"

namespace detail {

void compileRectangleLoop(DisplayList& list, double hw, double hh) {
    list.compile([&] {
        glEnable(GL_LINE_SMOOTH);
        glBegin(GL_LINE_LOOP);
        glVertex3d(-hw, -hh, 0.0);
        glVertex3d(hw, -hh, 0.0);
        glVertex3d(hw, hh, 0.0);
        glVertex3d(-hw, hh, 0.0);
        glEnd();
        glDisable(GL_LINE_SMOOTH);
    });
}

void drawOutlineList(const DisplayList& list, const double* rgba, double width, double componentAlpha) {
    if (!isDrawableWidth(width)) return;
    glLineWidth(static_cast<GLfloat>(width));
    glColor4d(rgba[0], rgba[1], rgba[2], rgba[3] * componentAlpha);
    list.call();
}

void callInIdColor(const VisComponent& component, const DisplayList& list) {
    unsigned char rgb[3] = {0, 0, 0};
    component.getIdColor(rgb);
    glColor3ubv(rgb);
    list.call();
}

void extendToCircle(LocalBounds& bounds, double radius) {
    const double r = std::isfinite(radius) ? std::fabs(radius) : 0.0;
    bounds.left = std::min(bounds.left, -r);
    bounds.bottom = std::min(bounds.bottom, -r);
    bounds.right = std::max(bounds.right, r);
    bounds.top = std::max(bounds.top, r);
}

}  // namespace detail
