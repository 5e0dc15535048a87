#include "appearance/detail/Outline.h"

#include <GL/gl.h>

#include "framework/VisComponent.h"

namespace detail {

void compileRectangleLoop(std::uint32_t list, double hw, double hh) {
    glNewList(list, GL_COMPILE);
    glEnable(GL_LINE_SMOOTH);
    glBegin(GL_LINE_LOOP);
    glVertex3d(-hw, -hh, 0.0);
    glVertex3d(hw, -hh, 0.0);
    glVertex3d(hw, hh, 0.0);
    glVertex3d(-hw, hh, 0.0);
    glEnd();
    glDisable(GL_LINE_SMOOTH);
    glEndList();
}

void drawOutlineList(std::uint32_t list, const double* rgba, double width, double componentAlpha) {
    if (!isDrawableWidth(width)) return;
    glLineWidth(static_cast<GLfloat>(width));
    glColor4d(rgba[0], rgba[1], rgba[2], rgba[3] * componentAlpha);
    glCallList(list);
}

double roundRadius(const VisComponent& component) {
    const double hw = half(component.width), hh = half(component.height);
    const double r = hh > hw ? component.scale.x * hw : component.scale.y * hh;
    return std::isfinite(r) ? r : 0.0;  // no geometry from a scale that is no number
}

void compileDisc(std::uint32_t& list, double radius, std::uint32_t segments) {
    if (list == 0) list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    if (segments >= 3) {  // fewer corners enclose nothing
        const double step = 2.0 * M_PI / segments;
        glBegin(GL_POLYGON);
        for (std::uint32_t i = 0; i < segments; ++i)
            glVertex3d(radius * std::cos(i * step), radius * std::sin(i * step), 0.0);
        glEnd();
    }
    glEndList();
}

void callInIdColor(const VisComponent& component, std::uint32_t list) {
    unsigned char rgb[3] = {0, 0, 0};
    component.getIdColor(rgb);
    glColor3ubv(rgb);
    glCallList(list);
}

void extendToCircle(LocalBounds& bounds, double radius) {
    const double r = std::isfinite(radius) ? std::fabs(radius) : 0.0;
    bounds.left = std::min(bounds.left, -r);
    bounds.bottom = std::min(bounds.bottom, -r);
    bounds.right = std::max(bounds.right, r);
    bounds.top = std::max(bounds.top, r);
}

}  // namespace detail
