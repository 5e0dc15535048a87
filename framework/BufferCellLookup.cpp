#include "framework/BufferCellLookup.h"

#include "framework/ActiveGrids.h"
#include "framework/VisComponent.h"

bool locateBufferCell(const VisComponent& geometry, const IBufferBase& grid, double x, double y, unsigned& column,
                      unsigned& row) {
    double bx = 0.0, by = 0.0;
    geometry.convertGlobalToBufferCoords(x, y, bx, by);
    if (grid.width == 0 || grid.height == 0) return false;
    if (!(bx >= 0.0 && bx <= grid.width - 1.0 && by >= 0.0 && by <= grid.height - 1.0)) return false;
    column = static_cast<unsigned>(bx);
    row = static_cast<unsigned>(by);
    return true;
}

bool readActiveBufferCell(VisComponent* component, unsigned bufferType, unsigned x, unsigned y,
                          unsigned char* value) {
    if (component == nullptr || value == nullptr) return true;
    IBuffer<unsigned char>* grid = activeGrid<unsigned char>(component, bufferType);
    unsigned column = 0, row = 0;
    if (grid == nullptr || !locateBufferCell(*component, *grid, static_cast<double>(x), static_cast<double>(y), column, row)) return true;
    *value = grid->data[(std::size_t(row) * grid->width + column) * grid->valuesPerCell];
    return false;
}

bool readPassiveBufferCell(VisComponent* component, unsigned bufferType, unsigned x, unsigned y,
                           double* values) {
    if (component == nullptr || values == nullptr) return true;
    IBufferProxy* proxy = component->getPassiveBufferByType(bufferType);
    IBuffer<double>* grid = proxy != nullptr ? proxy->getBuffer<double>() : nullptr;
    unsigned column = 0, row = 0;
    if (grid == nullptr || proxy->owner == nullptr || !locateBufferCell(*proxy->owner, *grid, static_cast<double>(x), static_cast<double>(y), column, row))
        return true;
    const double* cell = grid->data + (std::size_t(row) * grid->width + column) * grid->valuesPerCell;
    for (unsigned k = 0; k < grid->valuesPerCell; ++k) values[k] = cell[k];
    return false;
}
