#ifndef DRAVIK_FRAMEWORK_ACTIVEGRIDS_H
#define DRAVIK_FRAMEWORK_ACTIVEGRIDS_H

#include "framework/IBuffer.h"
#include "framework/IBufferProxy.h"
#include "framework/VisComponent.h"

// Grids that several strategies of one component share, such as the "BUTTON_BUFFER" into
// which each writes its own buttons: the first strategy that needs it makes it.

// The component's active grid of the type; when the component has none, a new grid of one
// value per cell at the component's size, handed to the component. Null when the
// component's grid of that type holds cells of another kind.
template <class T>
IBuffer<T>* obtainActiveGrid(VisComponent& component, unsigned type) {
    if (IBufferProxy* proxy = component.getActiveBufferByType(type)) return proxy->getBuffer<T>();
    auto* grid = new IBuffer<T>(type, 1, component.width, component.height, component.width, component.height);
    component.addActiveBuffer(new IBufferProxy(type, grid));
    return grid;
}

// For a strategy's resize to w x h: the component's grid of the type, resized only if it is
// not yet of that size (the framework resizes grids before the strategies hear of it, and
// resizing again would wipe what strategies before this one wrote). Null when there is none.
template <class T>
IBuffer<T>* resizedActiveGrid(VisComponent& component, unsigned type, unsigned w, unsigned h) {
    IBufferProxy* proxy = component.getActiveBufferByType(type);
    IBuffer<T>* grid = proxy != nullptr ? proxy->getBuffer<T>() : nullptr;
    if (grid != nullptr && (grid->getActualWidth() != w || grid->getActualHeight() != h)) grid->resize(w, h, w, h);
    return grid;
}

#endif
