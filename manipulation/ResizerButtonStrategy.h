#ifndef DRAVIK_MANIPULATION_RESIZERBUTTONSTRATEGY_H
#define DRAVIK_MANIPULATION_RESIZERBUTTONSTRATEGY_H

#include "framework/Export.h"
#include "framework/IBuffer.h"
#include "manipulation/DraggingResizerStrategy.h"

// A DraggingResizerStrategy started only by a press on its resize button: the block of
// the last eighth of the columns and the first eighth of the rows of the component's
// "BUTTON_BUFFER" (the corner at maximum x and minimum y, the one the drag moves), which
// holds "RESIZE_BUTTON". The strategy writes the block into the component's button grid,
// over what other strategies put there, and makes the grid when the component has none; it
// writes it again at every resize. The block is also its picking shape.
class DRAVIK_API ResizerButtonStrategy : public DraggingResizerStrategy {
public:
    ResizerButtonStrategy();
    ResizerButtonStrategy(const ResizerButtonStrategy&) = default;
    ResizerButtonStrategy& operator=(const ResizerButtonStrategy&) = default;
    ~ResizerButtonStrategy() override;

protected:
    void initProperties() override;
    void onEvent(DravikEvent* event) override;
    void resize(unsigned w, unsigned h) override;
    void drawForPicking() override;

    unsigned buttonBufferType = 0;
    unsigned char noButtonValue;
    unsigned char resizeButtonValue;

private:
    // The component's "BUTTON_BUFFER" byte under the global pixel; "NO_BUTTON" when the
    // component has no such grid or the pixel lies outside it.
    unsigned char getButtonValue(unsigned x, unsigned y);
    // Sets the resize button block of the grid; other cells keep their values.
    void fillButtonBuffer(IBuffer<unsigned char>* buffer);
};

#endif
