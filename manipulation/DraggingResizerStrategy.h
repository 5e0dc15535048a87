#ifndef DRAVIK_MANIPULATION_DRAGGINGRESIZERSTRATEGY_H
#define DRAVIK_MANIPULATION_DRAGGINGRESIZERSTRATEGY_H

#include <cstdint>

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// Resizes the component by dragging its corner at maximum x and minimum y (in the
// component's own, turned frame). A press inside the component starts the drag; each drag
// changes width and height by the pointer's displacement in the component's frame (towards
// +x or -y enlarges) and moves the position by half the displacement, so that at scale 1 the
// opposite corner stays in place; a release ends it and only then do the component's grids
// (and the strategies' resize) follow the new size. Events of every user act.
//
// Subclasses choose where a press starts the drag (ResizerButtonStrategy,
// ResizerHandleStrategy). Sides never fall below the minimum size nor below 1 pixel, and a
// drag does not grow a side beyond 16384 pixels; drags at points that are not numbers
// change nothing.
class DRAVIK_API DraggingResizerStrategy : public VisComponentStrategy {
public:
    DraggingResizerStrategy() = default;
    // Copies carry the drag state too; the copy sits on no component.
    DraggingResizerStrategy(const DraggingResizerStrategy&) = default;
    DraggingResizerStrategy& operator=(const DraggingResizerStrategy&) = default;
    ~DraggingResizerStrategy() override;

    unsigned getMinWidth() const { return minWidth; }
    void setMinWidth(unsigned width) { minWidth = width; }
    unsigned getMinHeight() const { return minHeight; }
    void setMinHeight(unsigned height) { minHeight = height; }
    bool isDragging() const { return dragging; }

protected:
    void onEvent(DravikEvent* event) override;

    // Remembers the event's point, truncated, as the one the next drag measures from.
    void rememberPoint(const DravikEvent& event);
    // Starts the drag and keeps its contact for it (no pinch or drag takes it over).
    void startDragging(const DravikEvent& event);

    bool dragging = false;
    std::int32_t lastX = -1;  // the last handled event, truncated toward zero
    std::int32_t lastY = -1;
    unsigned minWidth = 10;
    unsigned minHeight = 10;
};

#endif
