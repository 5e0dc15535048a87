#include "manipulation/ResizerButtonStrategy.h"

#include <algorithm>

#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/ActiveGrids.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/CellBlocks.h"

namespace {

// The resize button's cells in a grid of the given extent.
detail::CellBlock buttonBlock(unsigned width, unsigned height) {
    return {width - width / 8, 0, width, height / 8};
}

}  // namespace

ResizerButtonStrategy::ResizerButtonStrategy() {
    ConstantProvider* names = ConstantProvider::getInstance();
    noButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON"));
    names->getButtonBufferValue("MOVABLE_AREA");
    resizeButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("RESIZE_BUTTON"));
}

ResizerButtonStrategy::~ResizerButtonStrategy() = default;

void ResizerButtonStrategy::initProperties() {
    buttonBufferType = ConstantProvider::getInstance()->getBufferTypeIdentifier("BUTTON_BUFFER");
    fillButtonBuffer(obtainButtonGrid(*component));
}

void ResizerButtonStrategy::fillButtonBuffer(IBuffer<unsigned char>* buffer) {
    if (buffer == nullptr) return;
    detail::fillCellBlocks(buffer, {buttonBlock(buffer->getActualWidth(), buffer->getActualHeight())}, resizeButtonValue);
}

void ResizerButtonStrategy::resize(unsigned w, unsigned h) {
    fillButtonBuffer(resizedActiveGrid<unsigned char>(*component, buttonBufferType, w, h));
}

void ResizerButtonStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    if (event->type != ConstantProvider::getInstance()->getEventTypeIdentifier("PRESS")) {
        DraggingResizerStrategy::onEvent(event);
        return;
    }
    const unsigned x = truncateToUnsigned(event->x), y = truncateToUnsigned(event->y);
    if (!component->isInside(x, y)) return;
    if (getButtonValue(x, y) == resizeButtonValue) startDragging(*event);
    rememberPoint(*event);
}

unsigned char ResizerButtonStrategy::getButtonValue(unsigned x, unsigned y) {
    unsigned char value = noButtonValue;
    readActiveBufferCell(component, buttonBufferType, x, y, &value);
    return value;
}

void ResizerButtonStrategy::drawForPicking() {
    detail::drawCellBlocksForPicking(*component, {buttonBlock(component->width, component->height)});
}
