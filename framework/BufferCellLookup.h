#ifndef DRAVIK_FRAMEWORK_BUFFERCELLLOOKUP_H
#define DRAVIK_FRAMEWORK_BUFFERCELLLOOKUP_H

#include "framework/Export.h"

class IBufferBase;
class VisComponent;

// Reads the cell of a grid under a global pixel (x, y). Both return true when no value could
// be read (no such grid, a grid of another cell type, or a point outside it) and then write
// nothing.

// The cell of `grid` under the global point (x, y), located with `geometry`'s position, angle
// and scale: false when the point lies outside the grid (both ends of each axis inclusive).
DRAVIK_API bool locateBufferCell(const VisComponent& geometry, const IBufferBase& grid, double x, double y, unsigned& column,
                      unsigned& row);

// The byte of the component's own active grid of `bufferType` (a button grid).
DRAVIK_API bool readActiveBufferCell(VisComponent* component, unsigned bufferType, unsigned x, unsigned y,
                          unsigned char* value);

// All values of the cell of the double grid that the component reads as its passive grid of
// `bufferType`, located with the geometry of the component offering that grid.
DRAVIK_API bool readPassiveBufferCell(VisComponent* component, unsigned bufferType, unsigned x, unsigned y,
                           double* values);

#endif
