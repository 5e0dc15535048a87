#include "manipulation/ResizerHandleStrategy.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {

constexpr double kLineWidth = 1.5;

// The bracket about the corner at (+hw, -hh), `offset` outside both edges; each arm runs
// along 15 % of the half size plus the offset.
void emitBracket(double hw, double hh, double offset) {
    glBegin(GL_LINE_STRIP);
    glVertex2d(0.85 * hw, -hh - offset);
    glVertex2d(hw + offset, -hh - offset);
    glVertex2d(hw + offset, -0.85 * hh);
    glEnd();
}

bool isDrawableScale(double s) { return isFiniteValue(s) && s != 0.0 && isFiniteValue(1.0 / s); }

}  // namespace

ResizerHandleStrategy::ResizerHandleStrategy(const ResizerHandleStrategy& other)
    : DraggingResizerStrategy(other), displacement(other.displacement), pickingLineWidth(other.pickingLineWidth) {
    std::copy_n(other.color, 4, color);
    std::copy_n(other.selectedColor, 4, selectedColor);
}

ResizerHandleStrategy& ResizerHandleStrategy::operator=(const ResizerHandleStrategy& other) {
    if (this != &other) {
        DraggingResizerStrategy::operator=(other);
        std::copy_n(other.color, 4, color);
        std::copy_n(other.selectedColor, 4, selectedColor);
        displacement = other.displacement;
        pickingLineWidth = other.pickingLineWidth;
        deleteDisplayLists();  // rebuilt for this strategy's component at the next draw
    }
    return *this;
}

ResizerHandleStrategy::~ResizerHandleStrategy() { deleteDisplayLists(); }

void ResizerHandleStrategy::setColor(const double* rgba) {
    if (rgba != nullptr) std::copy_n(rgba, 4, color);
}

void ResizerHandleStrategy::setSelectedColor(const double* rgba) {
    if (rgba != nullptr) std::copy_n(rgba, 4, selectedColor);
}

void ResizerHandleStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    if (event->type != ConstantProvider::getInstance()->getEventTypeIdentifier("PRESS")) {
        DraggingResizerStrategy::onEvent(event);
        return;
    }
    if (!component->isInside(truncateToUnsigned(event->x), truncateToUnsigned(event->y))) startDragging(*event);
    rememberPoint(*event);
}

bool ResizerHandleStrategy::drop(bool animate) {
    (void)animate;
    return false;
}

void ResizerHandleStrategy::deleteDisplayLists() {
    if (displayList != 0) glDeleteLists(displayList, 1);
    if (pickingDisplayList != 0) glDeleteLists(pickingDisplayList, 1);
    displayList = pickingDisplayList = 0;
}

void ResizerHandleStrategy::createDisplayList() {
    if (component == nullptr) return;
    listWidth = component->width;
    listHeight = component->height;
    listScaleX = component->scale.x;
    listScaleY = component->scale.y;
    const double hw = listWidth * 0.5 * listScaleX, hh = listHeight * 0.5 * listScaleY;
    deleteDisplayLists();

    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    glEnable(GL_LINE_SMOOTH);
    emitBracket(hw, hh, displacement);
    glDisable(GL_LINE_SMOOTH);
    glEndList();

    unsigned char idColor[3];
    component->getIdColor(idColor);
    pickingDisplayList = glGenLists(1);
    glNewList(pickingDisplayList, GL_COMPILE);
    glColor3ubv(idColor);
    emitBracket(hw, hh, displacement);
    glEndList();
}

bool ResizerHandleStrategy::prepareLists() {
    if (!isDrawableScale(component->scale.x) || !isDrawableScale(component->scale.y)) return false;
    if (displayList == 0 || component->width != listWidth || component->height != listHeight ||
        component->scale.x != listScaleX || component->scale.y != listScaleY)
        createDisplayList();
    return true;
}

void ResizerHandleStrategy::callUnscaled(std::uint32_t list) const {
    glPushMatrix();
    glScaled(1.0 / component->scale.x, 1.0 / component->scale.y, 1.0);
    glCallList(list);
    glPopMatrix();
}

void ResizerHandleStrategy::draw(const std::vector<unsigned long>& selectedIds) {
    if (!prepareLists()) return;
    const bool selected = std::find(selectedIds.begin(), selectedIds.end(), component->id) != selectedIds.end();
    double rgba[4];
    std::copy_n(selected ? selectedColor : color, 4, rgba);
    rgba[3] *= component->color[3];
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glColor4dv(rgba);
    glLineWidth(static_cast<GLfloat>(kLineWidth));
    callUnscaled(displayList);
    glPopAttrib();
}

void ResizerHandleStrategy::drawForPicking() {
    if (!prepareLists()) return;
    glLineWidth(static_cast<GLfloat>(pickingLineWidth));
    callUnscaled(pickingDisplayList);
    glLineWidth(1.0f);
}

void ResizerHandleStrategy::extendPickingBounds(LocalBounds& bounds) const {
    if (!isDrawableScale(component->scale.x) || !isDrawableScale(component->scale.y)) return;
    // The bracket's outer edge, with the picking line's width, in component units.
    const double reach = displacement + pickingLineWidth;
    bounds.right = std::max(bounds.right, component->width * 0.5 + reach / std::abs(component->scale.x));
    bounds.bottom = std::min(bounds.bottom, -(component->height * 0.5) - reach / std::abs(component->scale.y));
}
