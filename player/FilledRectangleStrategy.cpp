#include "player/FilledRectangleStrategy.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>

#include "app/PickingRectangle.h"
#include "framework/VisComponent.h"

namespace {

// The band between the rectangle (l, b)-(r, t) and the one inset by `inset`.
void drawBand(double l, double b, double r, double t, double inset) {
    const double il = l + inset, ib = b + inset, ir = r - inset, it = t - inset;
    const double strip[10][2] = {{l, b}, {il, ib}, {r, b}, {ir, ib}, {r, t},
                                 {ir, it}, {l, t}, {il, it}, {l, b}, {il, ib}};
    glBegin(GL_TRIANGLE_STRIP);
    for (const auto& v : strip) glVertex2d(v[0], v[1]);
    glEnd();
}

}  // namespace

FilledRectangleStrategy::FilledRectangleStrategy(const double color[4], double width, bool withShadow,
                                                 std::string text)
    : frameWidth(width), shadow(withShadow), label(std::move(text)) {
    std::copy(color, color + 4, frameColor);
}

void FilledRectangleStrategy::draw(const std::vector<unsigned long>& selectedIds) {
    // The extent that picking and isInside use: -(w >> 1) up to w - (w >> 1).
    const double l = -static_cast<double>(component->width >> 1), b = -static_cast<double>(component->height >> 1);
    const double r = l + component->width, t = b + component->height;
    const double* fill = component->color;

    // Blending is the host's state (or a capture's, which keeps alpha apart).
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_ENABLE_BIT);
    if (shadow) {
        const double offset = 5.0;
        for (double grow : {4.0, 2.0, 0.0}) {  // three layers for a soft edge
            glColor4d(0.0, 0.0, 0.0, 0.12 * fill[3]);
            glRectd(l + offset - grow, b - offset - grow, r + offset + grow, t - offset + grow);
        }
    }
    glColor4dv(fill);
    glRectd(l, b, r, t);

    const bool held = std::find(selectedIds.begin(), selectedIds.end(), component->id) != selectedIds.end();
    const double lift = held ? 0.5 : 0.0;  // towards white while held
    glColor4d(frameColor[0] + (1.0 - frameColor[0]) * lift, frameColor[1] + (1.0 - frameColor[1]) * lift,
              frameColor[2] + (1.0 - frameColor[2]) * lift, frameColor[3] * fill[3]);
    drawBand(l, b, r, t, std::min({frameWidth, (r - l) / 2.0, (t - b) / 2.0}));
    if (!label.empty()) drawLabel();
    glPopAttrib();
}

void FilledRectangleStrategy::drawForPicking() { drawPickingRectangle(*component); }

void FilledRectangleStrategy::drawLabel() {
    const auto* text = reinterpret_cast<const unsigned char*>(label.c_str());
    const double scale = kLabelHeight / 119.05;  // the Roman stroke font's capitals are 119.05 units high
    const double length = glutStrokeLength(GLUT_STROKE_ROMAN, text) * scale;
    glColor4d(0.0, 0.0, 0.0, 0.55 * component->color[3]);
    glEnable(GL_LINE_SMOOTH);
    glLineWidth(2.0f);
    glPushMatrix();
    glTranslated(-length / 2.0, -kLabelHeight / 2.0, 0.0);
    glScaled(scale, scale, 1.0);
    glutStrokeString(GLUT_STROKE_ROMAN, text);
    glPopMatrix();
}
