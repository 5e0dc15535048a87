#include "appearance/BorderStrategy.h"

#include <algorithm>

#include "app/PickingRectangle.h"
#include "appearance/detail/Outline.h"
#include "framework/VisComponent.h"

BorderStrategy::BorderStrategy() = default;

BorderStrategy::BorderStrategy(const BorderStrategy& other) : VisComponentStrategy(other) { *this = other; }

BorderStrategy& BorderStrategy::operator=(const BorderStrategy& other) {
    if (this == &other) return *this;
    VisComponentStrategy::operator=(other);
    std::copy(other.color, other.color + 4, color);
    std::copy(other.selectedColor, other.selectedColor + 4, selectedColor);
    borderWidth = other.borderWidth;
    selectedBorderWidth = other.selectedBorderWidth;
    drawBorder = other.drawBorder;
    drawSelectedBorder = other.drawSelectedBorder;
    rebuildIfBuilt();
    return *this;
}

void BorderStrategy::setColor(const double* rgba) {
    std::copy(rgba, rgba + 4, color);
    rebuildIfBuilt();
}

void BorderStrategy::setSelectedColor(const double* rgba) {
    std::copy(rgba, rgba + 4, selectedColor);
    rebuildIfBuilt();
}

void BorderStrategy::setBorderWidth(double width) {
    borderWidth = width;
    rebuildIfBuilt();
}

void BorderStrategy::setSelectedBorderWidth(double width) {
    selectedBorderWidth = width;
    rebuildIfBuilt();
}

void BorderStrategy::rebuildIfBuilt() {
    if (displayList.name() != 0) createDisplayList();
}

void BorderStrategy::initProperties() { createDisplayList(); }

bool BorderStrategy::takeListSize() {
    if (component == nullptr) return false;
    listWidth = component->width;
    listHeight = component->height;
    return true;
}

void BorderStrategy::createDisplayList() {
    if (!takeListSize()) return;
    detail::compileRectangleLoop(displayList, detail::half(listWidth), detail::half(listHeight));
}

bool BorderStrategy::displayListsOutdated() const {
    return displayList.name() == 0 || component->width != listWidth || component->height != listHeight;
}

bool BorderStrategy::prepareOutlines() {
    if ((!drawBorder && !drawSelectedBorder) || component == nullptr) return false;
    if (displayListsOutdated()) createDisplayList();
    return true;
}

void BorderStrategy::drawOutline(bool selected) {
    detail::drawOutlineList(displayList, selected ? selectedColor : color,
                            selected ? selectedBorderWidth : borderWidth, component->color[3]);
}

void BorderStrategy::draw(const std::vector<unsigned long>& selectedIds) {
    if (!prepareOutlines()) return;
    if (drawBorder) drawOutline(false);
    if (drawSelectedBorder && detail::isSelected(selectedIds, component->id)) drawOutline(true);
}

void BorderStrategy::drawForPicking() {
    if ((drawBorder || drawSelectedBorder) && component != nullptr) drawPickingRectangle(*component);
}
