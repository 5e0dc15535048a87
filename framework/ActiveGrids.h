#ifndef DRAVIK_FRAMEWORK_ACTIVEGRIDS_H
#define DRAVIK_FRAMEWORK_ACTIVEGRIDS_H

#include "framework/ConstantProvider.h"
#include "framework/IBuffer.h"
#include "framework/IBufferProxy.h"
#include "framework/VisComponent.h"

// The component's active grids, looked up by type, and the grids that several strategies of
// one component share, such as the "BUTTON_BUFFER" into which each writes its own buttons.

// The component's active grid of the type; null when it has none, or one of another cell kind.
template <class T>
IBuffer<T>* activeGrid(const VisComponent* component, unsigned type) {
    IBufferProxy* proxy = component != nullptr ? component->getActiveBufferByType(type) : nullptr;
    return proxy != nullptr ? proxy->getBuffer<T>() : nullptr;
}

// The component's "BUTTON_BUFFER" grid: the one already there, or, made by the first strategy
// that needs it, a grid at the component's size holding "NO_BUTTON" everywhere, also after
// resizes (so that no strategy finds a button where none was written). Null when the component's grid of that
// type holds cells of another kind.
inline IBuffer<unsigned char>* obtainButtonGrid(VisComponent& component) {
    ConstantProvider* names = ConstantProvider::getInstance();
    const unsigned type = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    if (IBufferProxy* proxy = component.getActiveBufferByType(type)) return proxy->getBuffer<unsigned char>();
    auto* grid = new IBuffer<unsigned char>(type, 1, component.width, component.height, component.width,
                                            component.height);
    grid->setBlank(static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON")));
    component.addActiveBuffer(new IBufferProxy(type, grid));
    return grid;
}

// For a strategy's resize to w x h: the component's grid of the type, resized only if it is
// not yet of that size (the framework resizes grids before the strategies hear of it, and
// resizing again would wipe what strategies before this one wrote). Null when there is none.
template <class T>
IBuffer<T>* resizedActiveGrid(VisComponent& component, unsigned type, unsigned w, unsigned h) {
    IBuffer<T>* grid = activeGrid<T>(&component, type);
    if (grid != nullptr && (grid->getActualWidth() != w || grid->getActualHeight() != h)) grid->resize(w, h, w, h);
    return grid;
}

#endif
