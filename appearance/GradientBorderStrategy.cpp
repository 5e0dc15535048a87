#include "appearance/GradientBorderStrategy.h"

#include <GL/gl.h>

#include "appearance/detail/Outline.h"
#include "framework/VisComponent.h"

GradientBorderStrategy::GradientBorderStrategy() {
    borderWidth = 5.0;
    selectedBorderWidth = 5.0;
}

void GradientBorderStrategy::drawGradientBorder(const double* rgba, double width, const double* p1,
                                                const double* p2, const double* p3, const double* p4) {
    // A width that is no number would give no band at all: draw none rather than NaN corners.
    const double w = std::isfinite(width) ? width : 0.0;
    const double* corners[5] = {p1, p2, p3, p4, p1};
    const double outward[5][2] = {{-w, w}, {-w, -w}, {w, -w}, {w, w}, {-w, w}};
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 5; ++i) {
        const double* p = corners[i];
        glColor4d(rgba[0], rgba[1], rgba[2], rgba[3]);
        glVertex3d(p[0], p[1], p[2]);
        glColor4d(rgba[0], rgba[1], rgba[2], 0.0);
        glVertex3d(p[0] + outward[i][0], p[1] + outward[i][1], p[2]);
    }
    glEnd();
}

void GradientBorderStrategy::createDisplayList() {
    if (!takeListSize()) return;
    const double hw = detail::half(listWidth), hh = detail::half(listHeight);
    const double p1[3] = {-hw, hh, 0.0}, p2[3] = {-hw, -hh, 0.0}, p3[3] = {hw, -hh, 0.0}, p4[3] = {hw, hh, 0.0};
    displayList.compile([&] { drawGradientBorder(color, borderWidth, p1, p2, p3, p4); });
    selectedDisplayList.compile([&] { drawGradientBorder(selectedColor, selectedBorderWidth, p1, p2, p3, p4); });
}

void GradientBorderStrategy::drawOutline(bool selected) { (selected ? selectedDisplayList : displayList).call(); }
