#ifndef DRAVIK_TESTS_MANIPULATION_BUTTONGRID_H
#define DRAVIK_TESTS_MANIPULATION_BUTTONGRID_H

#include "dravik/DravikFrameworkLayer.h"

// Gives the component a "BUTTON_BUFFER" grid holding the button value `leftArea` over its left
// half (component x < 0) and "NO_BUTTON" over its right half.
inline void addButtonGrid(VisComponent* component, const char* leftArea) {
    ConstantProvider* names = ConstantProvider::getInstance();
    auto* proxy = new IBufferProxy(names->getBufferTypeIdentifier("BUTTON_BUFFER"));
    auto* grid = new IBuffer<unsigned char>(proxy->type, 1, component->width, component->height,
                                            component->width, component->height);
    grid->fill(static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON")));
    const auto area = static_cast<unsigned char>(names->getButtonBufferValue(leftArea));
    for (unsigned y = 0; y < grid->height; ++y)
        for (unsigned x = 0; x < grid->width / 2; ++x) grid->rows[y][x] = area;
    proxy->buffer = grid;
    component->addActiveBuffer(proxy);
}

#endif
