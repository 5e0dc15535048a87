#include "manipulation/ResizerButtonStrategy.h"

#include <algorithm>

#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/IBufferProxy.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/CellBlockPicking.h"

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
    if (IBufferProxy* existing = component->getActiveBufferByType(buttonBufferType)) {
        if (auto* grid = existing->getBuffer<unsigned char>()) {
            fillButtonBuffer(grid);
            return;
        }
    }
    auto* grid = new IBuffer<unsigned char>(buttonBufferType, 1, component->width, component->height,
                                            component->width, component->height);
    fillButtonBuffer(grid);
    component->addActiveBuffer(new IBufferProxy(buttonBufferType, grid));
}

void ResizerButtonStrategy::fillButtonBuffer(IBuffer<unsigned char>* buffer) {
    if (buffer == nullptr) return;
    const detail::CellBlock block = buttonBlock(buffer->getActualWidth(), buffer->getActualHeight());
    for (unsigned y = block.bottom; y < block.top; ++y)
        std::fill(buffer->rows[y] + block.left, buffer->rows[y] + block.right, resizeButtonValue);
}

void ResizerButtonStrategy::resize(unsigned w, unsigned h) {
    IBufferProxy* proxy = component->getActiveBufferByType(buttonBufferType);
    IBuffer<unsigned char>* grid = proxy != nullptr ? proxy->getBuffer<unsigned char>() : nullptr;
    if (grid == nullptr) return;
    // The framework has already given the grid the new size and other strategies may have
    // refilled it: resizing it again would wipe what they wrote.
    if (grid->getActualWidth() != w || grid->getActualHeight() != h) grid->resize(w, h, w, h);
    fillButtonBuffer(grid);
}

void ResizerButtonStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    if (event->type != ConstantProvider::getInstance()->getEventTypeIdentifier("PRESS")) {
        DraggingResizerStrategy::onEvent(event);
        return;
    }
    const unsigned x = truncateToUnsigned(event->x), y = truncateToUnsigned(event->y);
    if (!component->isInside(x, y)) return;
    if (getButtonValue(x, y) == resizeButtonValue) dragging = true;
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
