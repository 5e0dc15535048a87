#ifndef DRAVIK_MANIPULATION_RESIZERHANDLESTRATEGY_H
#define DRAVIK_MANIPULATION_RESIZERHANDLESTRATEGY_H

#include <cstdint>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "manipulation/DraggingResizerStrategy.h"

// A DraggingResizerStrategy with a handle: an L-shaped bracket drawn `displacement` display
// pixels outside the corner that the drag moves (maximum x, minimum y), in `color`, or in
// `selectedColor` while a user holds the component, with the component's alpha. The same
// bracket, drawn thicker in the component's identifier colour, is its picking shape, so a
// press on it reaches the component; a press that lands outside the component's rectangle,
// that is on the handle, starts the resize. The offset stays `displacement` display pixels
// whatever the component's scale, taken at every draw (a component scaled to nothing shows
// no handle). Both draws leave the colour set, and the picking draw its line width.
class DRAVIK_API ResizerHandleStrategy : public DraggingResizerStrategy {
public:
    ResizerHandleStrategy() = default;
    // A copy draws the same handle and builds display lists of its own.
    ResizerHandleStrategy(const ResizerHandleStrategy& other);
    ResizerHandleStrategy& operator=(const ResizerHandleStrategy& other);

    const double* getColor() const { return color; }
    void setColor(const double* rgba);
    const double* getSelectedColor() const { return selectedColor; }
    void setSelectedColor(const double* rgba);
    double getDisplacement() const { return displacement; }
    void setDisplacement(double pixels) { displacement = pixels; }

protected:
    void onEvent(DravikEvent* event) override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;
    bool drop(bool animate) override;
    void extendPickingBounds(LocalBounds& bounds) const override;

    // Records the bracket, in display pixels about the component's position (unturned), into
    // `displayList` (smoothed) and `pickingDisplayList` (in the identifier colour), for the
    // component's current size and scale. The strategy itself draws without lists.
    void createDisplayList();

    double color[4] = {1.0, 1.0, 1.0, 1.0};
    double selectedColor[4] = {1.0, 1.0, 1.0, 1.0};
    double displacement = 1.5;      // display pixels outside the edges
    double pickingLineWidth = 3.0;  // pixels
    DisplayList displayList;
    DisplayList pickingDisplayList;
    std::uint32_t listWidth = 0;  // component size and scale when the lists were made
    std::uint32_t listHeight = 0;
    double listScaleX = 1.0;
    double listScaleY = 1.0;

private:
    // False when the component's scale leaves nothing to draw.
    bool hasDrawableScale() const;
    // The bracket in component units, under the component's transform.
    void emitHandle() const;
};

#endif
