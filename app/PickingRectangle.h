#ifndef DRAVIK_APP_PICKINGRECTANGLE_H
#define DRAVIK_APP_PICKINGRECTANGLE_H

#include "framework/Export.h"

class VisComponent;

// Fills the component's rectangle in its identifier colour, in component coordinates: the
// picking shape of strategies that make their whole component touchable. It covers x from
// -(width >> 1) up to width - (width >> 1), and y likewise: the cells that isInside and the
// component's grids count as the component.
DRAVIK_API void drawPickingRectangle(const VisComponent& component);

#endif
