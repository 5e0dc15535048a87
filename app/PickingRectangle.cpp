#include "app/PickingRectangle.h"

#include <GL/gl.h>

#include "framework/VisComponent.h"

void drawPickingRectangle(const VisComponent& component) {
    unsigned char rgb[3] = {0, 0, 0};
    component.getIdColor(rgb);
    glColor3ubv(rgb);
    const double left = -static_cast<double>(component.width >> 1);
    const double bottom = -static_cast<double>(component.height >> 1);
    glRectd(left, bottom, left + component.width, bottom + component.height);
}
