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

// The bracket about the corner at (+hw, -hh), `ox` and `oy` outside the edges; each arm runs
// along 15 % of the half size plus the offset.
void emitBracket(double hw, double hh, double ox, double oy) {
    glBegin(GL_LINE_STRIP);
    glVertex2d(0.85 * hw, -hh - oy);
    glVertex2d(hw + ox, -hh - oy);
    glVertex2d(hw + ox, -0.85 * hh);
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
    }
    return *this;
}

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

void ResizerHandleStrategy::createDisplayList() {
    if (component == nullptr) return;
    listWidth = component->width;
    listHeight = component->height;
    listScaleX = component->scale.x;
    listScaleY = component->scale.y;
    const double hw = listWidth * 0.5 * listScaleX, hh = listHeight * 0.5 * listScaleY;
    displayList.compile([&] {
        glEnable(GL_LINE_SMOOTH);
        emitBracket(hw, hh, displacement, displacement);
        glDisable(GL_LINE_SMOOTH);
    });
    unsigned char idColor[3];
    component->getIdColor(idColor);
    pickingDisplayList.compile([&] {
        glColor3ubv(idColor);
        emitBracket(hw, hh, displacement, displacement);
    });
}

bool ResizerHandleStrategy::hasDrawableScale() const {
    return isDrawableScale(component->scale.x) && isDrawableScale(component->scale.y);
}

// The offset is the displacement in display pixels divided by the scale.
void ResizerHandleStrategy::emitHandle() const {
    const double hw = static_cast<float>(component->width) * 0.5, hh = static_cast<float>(component->height) * 0.5;
    emitBracket(hw, hh, displacement / component->scale.x, displacement / component->scale.y);
}

void ResizerHandleStrategy::draw(const std::vector<unsigned long>& selectedIds) {
    if (!hasDrawableScale()) return;
    const bool selected = std::find(selectedIds.begin(), selectedIds.end(), component->id) != selectedIds.end();
    double rgba[4];
    std::copy_n(selected ? selectedColor : color, 4, rgba);
    rgba[3] *= component->color[3];
    // Enable and line state are restored; the colour stays set.
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT);
    glColor4dv(rgba);
    glLineWidth(static_cast<GLfloat>(kLineWidth));
    glEnable(GL_LINE_SMOOTH);
    emitHandle();
    glDisable(GL_LINE_SMOOTH);
    glPopAttrib();
}

// The picking colour and line width stay set.
void ResizerHandleStrategy::drawForPicking() {
    if (!hasDrawableScale()) return;
    unsigned char idColor[3];
    component->getIdColor(idColor);
    glColor3ubv(idColor);
    glLineWidth(static_cast<GLfloat>(pickingLineWidth));
    emitHandle();
}

void ResizerHandleStrategy::extendPickingBounds(LocalBounds& bounds) const {
    if (!hasDrawableScale()) return;
    // The bracket's outer edge, with the picking line's width, in component units.
    const double reach = displacement + pickingLineWidth;
    bounds.right = std::max(bounds.right, component->width * 0.5 + reach / std::abs(component->scale.x));
    bounds.bottom = std::min(bounds.bottom, -(component->height * 0.5) - reach / std::abs(component->scale.y));
}
