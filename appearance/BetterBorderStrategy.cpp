#include "appearance/BetterBorderStrategy.h"

#include <algorithm>

#include "app/PickingRectangle.h"
#include "appearance/detail/Outline.h"
#include "framework/VisComponent.h"

namespace {

constexpr double kWhite[4] = {1.0, 1.0, 1.0, 1.0};

}  // namespace

BetterBorderStrategy::BetterBorderStrategy(const double* borderColor, const double* selectedBorderColor,
                                           double borderWidth, double selectedBorderWidth, bool drawBorder,
                                           bool drawSelectedBorder)
    : borderWidth(borderWidth),
      selectedBorderWidth(selectedBorderWidth),
      drawBorder(drawBorder),
      drawSelectedBorder(drawSelectedBorder) {
    setBorderColor(borderColor != nullptr ? borderColor : kWhite);
    setSelectedBorderColor(selectedBorderColor != nullptr ? selectedBorderColor : kWhite);
}

BetterBorderStrategy::BetterBorderStrategy(const BetterBorderStrategy& other)
    : BetterBorderStrategy(other.borderColor, other.selectedBorderColor, other.borderWidth,
                           other.selectedBorderWidth, other.drawBorder, other.drawSelectedBorder) {}

BetterBorderStrategy& BetterBorderStrategy::operator=(const BetterBorderStrategy& other) {
    if (this == &other) return *this;
    VisComponentStrategy::operator=(other);
    setBorderColor(other.borderColor);
    setSelectedBorderColor(other.selectedBorderColor);
    borderWidth = other.borderWidth;
    selectedBorderWidth = other.selectedBorderWidth;
    drawBorder = other.drawBorder;
    drawSelectedBorder = other.drawSelectedBorder;
    return *this;
}

void BetterBorderStrategy::setBorderColor(const double* rgba) { std::copy(rgba, rgba + 4, borderColor); }

void BetterBorderStrategy::setSelectedBorderColor(const double* rgba) {
    std::copy(rgba, rgba + 4, selectedBorderColor);
}

void BetterBorderStrategy::initProperties() { createDisplayList(); }

void BetterBorderStrategy::createDisplayList() {
    if (component == nullptr) return;
    listWidth = component->width;
    listHeight = component->height;
    detail::compileRectangleLoop(displayList, detail::half(listWidth), detail::half(listHeight));
}

void BetterBorderStrategy::resize(unsigned, unsigned) { createDisplayList(); }

void BetterBorderStrategy::draw(const std::vector<unsigned long>& selectedIds) {
    if ((!drawBorder && !drawSelectedBorder) || component == nullptr) return;
    if (displayList.name() == 0 || component->width != listWidth || component->height != listHeight) createDisplayList();
    const double alpha = component->color[3];
    if (drawBorder) detail::drawOutlineList(displayList, borderColor, borderWidth, alpha);
    if (drawSelectedBorder && detail::isSelected(selectedIds, component->id))
        detail::drawOutlineList(displayList, selectedBorderColor, selectedBorderWidth, alpha);
}

void BetterBorderStrategy::drawForPicking() {
    if ((drawBorder || drawSelectedBorder) && component != nullptr) drawPickingRectangle(*component);
}
