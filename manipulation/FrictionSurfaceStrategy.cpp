#include "manipulation/FrictionSurfaceStrategy.h"

#include <algorithm>
#include <cstdint>

#include "framework/ConstantProvider.h"
#include "framework/IBufferProxy.h"
#include "framework/VisComponent.h"

void FrictionSurfaceStrategy::initProperties() {
    frictionBufferType = ConstantProvider::getInstance()->getBufferTypeIdentifier("FRICTION_BUFFER");
    auto* proxy = new IBufferProxy(frictionBufferType);
    auto* grid = new IBuffer<double>(frictionBufferType, 1, component->width, component->height,
                                     component->width, component->height);
    fillFrictionBuffer(grid);
    proxy->buffer = grid;
    component->addActiveBuffer(proxy);
}

void FrictionSurfaceStrategy::resize(unsigned w, unsigned h) {
    IBufferProxy* proxy = component->getActiveBufferByType(frictionBufferType);
    IBuffer<double>* grid = proxy != nullptr ? proxy->getBuffer<double>() : nullptr;
    if (grid == nullptr) return;
    grid->resize(w, h, w, h);
    fillFrictionBuffer(grid);
}

void FrictionSurfaceStrategy::fillFrictionBuffer(IBuffer<double>* buffer) {
    if (buffer == nullptr) return;
    buffer->fill(borderFriction);
    // In 64 bits, so that twice a band never wraps around: a grid no wider than its two
    // bands has no interior.
    const std::uint64_t width = buffer->getActualWidth(), height = buffer->getActualHeight();
    const std::uint64_t bandWidth = borderWidth, bandHeight = borderHeight;
    if (width <= 2 * bandWidth || height <= 2 * bandHeight) return;
    const std::uint64_t values = buffer->valuesPerCell;
    for (std::uint64_t y = bandHeight; y < height - bandHeight; ++y)
        std::fill(buffer->rows[y] + bandWidth * values, buffer->rows[y] + (width - bandWidth) * values,
                  innerFriction);
}
