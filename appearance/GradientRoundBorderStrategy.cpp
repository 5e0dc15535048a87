#include "appearance/GradientRoundBorderStrategy.h"

#include <GL/gl.h>

#include <cmath>

#include "appearance/detail/Outline.h"
#include "framework/VisComponent.h"

namespace {

// The band from the circle of `radius` in `rgba` out to `radius` + `width` in the same colour
// with alpha 0, closing on its start.
void compileBand(std::uint32_t list, const double* rgba, double radius, double width, std::uint32_t segments) {
    const double outer = radius + (std::isfinite(width) ? width : 0.0);
    const double step = segments != 0 ? 2.0 * M_PI / segments : 0.0;
    glNewList(list, GL_COMPILE);
    if (segments != 0) {  // one pair of vertices would enclose nothing
        glBegin(GL_QUAD_STRIP);
        for (std::uint32_t i = 0; i <= segments; ++i) {
            const double c = std::cos(i * step), s = std::sin(i * step);
            glColor4d(rgba[0], rgba[1], rgba[2], rgba[3]);
            glVertex3d(radius * c, radius * s, 0.0);
            glColor4d(rgba[0], rgba[1], rgba[2], 0.0);
            glVertex3d(outer * c, outer * s, 0.0);
        }
        glEnd();
    }
    glEndList();
}

}  // namespace

GradientRoundBorderStrategy::GradientRoundBorderStrategy() = default;

GradientRoundBorderStrategy::GradientRoundBorderStrategy(const GradientRoundBorderStrategy& other)
    : BorderStrategy(other), numberSegments(other.numberSegments) {}

GradientRoundBorderStrategy& GradientRoundBorderStrategy::operator=(const GradientRoundBorderStrategy& other) {
    BorderStrategy::operator=(other);
    numberSegments = other.numberSegments;
    return *this;
}

GradientRoundBorderStrategy::~GradientRoundBorderStrategy() {
    if (selectedDisplayList != 0) glDeleteLists(selectedDisplayList, 1);
    if (pickingList != 0) glDeleteLists(pickingList, 1);
}

void GradientRoundBorderStrategy::deleteDisplayLists() {
    BorderStrategy::deleteDisplayLists();
    for (std::uint32_t* list : {&selectedDisplayList, &pickingList}) {
        if (*list != 0) glDeleteLists(*list, 1);
        *list = 0;
    }
}

void GradientRoundBorderStrategy::createDisplayList() {
    if (!takeListSize()) return;
    listScaleX = component->scale.x;
    listScaleY = component->scale.y;
    const double r = detail::roundRadius(*component);
    if (displayList == 0) displayList = glGenLists(1);
    if (selectedDisplayList == 0) selectedDisplayList = glGenLists(1);
    compileBand(displayList, color, r, borderWidth, numberSegments);
    compileBand(selectedDisplayList, selectedColor, r, selectedBorderWidth, numberSegments);
    detail::compileDisc(pickingList, r, numberSegments);
}

bool GradientRoundBorderStrategy::displayListsOutdated() const {
    return selectedDisplayList == 0 || BorderStrategy::displayListsOutdated() ||
           detail::scaleDiffers(component->scale.x, listScaleX) || detail::scaleDiffers(component->scale.y, listScaleY);
}

void GradientRoundBorderStrategy::drawOutline(bool selected) {
    glCallList(selected ? selectedDisplayList : displayList);
}

void GradientRoundBorderStrategy::drawForPicking() {
    if (!prepareOutlines()) return;
    detail::callInIdColor(*component, pickingList);
}

void GradientRoundBorderStrategy::extendPickingBounds(LocalBounds& bounds) const {
    if (component != nullptr) detail::extendToCircle(bounds, detail::roundRadius(*component));
}
