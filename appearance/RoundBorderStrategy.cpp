#include "appearance/RoundBorderStrategy.h"

#include <GL/gl.h>

#include <cmath>

#include "appearance/detail/Outline.h"
#include "framework/VisComponent.h"

RoundBorderStrategy::RoundBorderStrategy() = default;

RoundBorderStrategy::RoundBorderStrategy(const RoundBorderStrategy& other)
    : BorderStrategy(other), numberSegments(other.numberSegments) {}

RoundBorderStrategy& RoundBorderStrategy::operator=(const RoundBorderStrategy& other) {
    BorderStrategy::operator=(other);
    numberSegments = other.numberSegments;
    return *this;
}

RoundBorderStrategy::~RoundBorderStrategy() {
    if (pickingList != 0) glDeleteLists(pickingList, 1);
}

void RoundBorderStrategy::deleteDisplayLists() {
    BorderStrategy::deleteDisplayLists();
    if (pickingList != 0) glDeleteLists(pickingList, 1);
    pickingList = 0;
}

void RoundBorderStrategy::createDisplayList() {
    if (!takeListSize()) return;
    listScaleX = component->scale.x;
    listScaleY = component->scale.y;
    const double r = detail::roundRadius(*component);
    const double step = numberSegments != 0 ? 2.0 * M_PI / numberSegments : 0.0;
    if (displayList == 0) displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    glEnable(GL_LINE_SMOOTH);
    if (numberSegments != 0) {  // an empty loop is not sent at all: drivers draw odd things for it
        glBegin(GL_LINE_LOOP);
        for (std::uint32_t i = 0; i < numberSegments; ++i)
            glVertex3d(r * std::cos(i * step), r * std::sin(i * step), 0.0);
        glEnd();
    }
    glDisable(GL_LINE_SMOOTH);
    glEndList();
    detail::compileDisc(pickingList, r, numberSegments);
}

bool RoundBorderStrategy::displayListsOutdated() const {
    return BorderStrategy::displayListsOutdated() || detail::scaleDiffers(component->scale.x, listScaleX) ||
           detail::scaleDiffers(component->scale.y, listScaleY);
}

void RoundBorderStrategy::drawForPicking() {
    if (!prepareOutlines()) return;
    detail::callInIdColor(*component, pickingList);
}

void RoundBorderStrategy::extendPickingBounds(LocalBounds& bounds) const {
    if (component != nullptr) detail::extendToCircle(bounds, detail::roundRadius(*component));
}
