#ifndef DRAVIK_APP_DEFAULTMANAGER_H
#define DRAVIK_APP_DEFAULTMANAGER_H

#include <string>

#include "framework/DravikManager.h"
#include "framework/Export.h"

class FrameTimer;

// The library's ready-made manager: two touch indicator components, an information overlay
// (frame rate, grid memory, number of components), the root component kept centred in the
// display, and colour picking: a press reaches the component whose identifier colour is
// drawn at its pixel, a dropped component lands on the container drawn there.
//
// Picking draws into the current OpenGL context with the current projection, which must map
// global coordinates to window pixels (y up). It draws only the components whose picking
// bounds hold the pixel (DravikManager::renderForPickingAt), which gives the answer of
// drawing them all at the cost of the few under the point. Points outside the display size
// last given to resize pick nothing; before any resize, the current viewport is the display.
class DRAVIK_API DefaultManager : public DravikManager {
public:
    // Runs the manager's initialisation (touch indicators, then components) at once.
    explicit DefaultManager(FrameTimer* timer = nullptr);
    ~DefaultManager() override;

    // The new display size; the root component moves to its centre.
    void resize(unsigned width, unsigned height) override;

    // Draws the overlay at the top left of a display `height` pixels high, in white, under a
    // projection in pixels with y up. `width` is not used.
    void renderInfo(unsigned width, unsigned height);
    // Prints every top-level component with its subtree on standard output.
    void print() const;

    // rand() / 32767 x (upper - lower) + lower: a value between the two bounds, in either order.
    static double obtainRandomDouble(double upper, double lower);
    static float obtainRandomFloat(double upper, double lower);

protected:
    void initTouchIndicators() override;
    void initComponents() override;

    // The identifier of the component drawn at window pixel (x, y), or NoComponentId. With
    // `containersOnly`, only containers are drawn, the root left out.
    virtual unsigned long pickComponent(unsigned x, unsigned y, bool containersOnly);
    // As pickComponent, leaving out `container` and its subtree; with `containersOnly` only
    // the containers that would take `container` as a child.
    virtual unsigned long pickContainer(unsigned x, unsigned y, unsigned long container, bool containersOnly);

    // Draws at most 255 characters in 12-point Helvetica at the raster position (x, y, z).
    void renderText(double x, double y, double z, const std::string& text);

    unsigned long findComponentAt(double x, double y) override;
    unsigned long findContainerAt(double x, double y, const VisComponent* dropped) override;

private:
    bool isOnDisplay(unsigned x, unsigned y) const;
    // Around a picking pass: set up drawing into the one pixel (x, y), cleared to black,
    // then read back its identifier. Only that pixel is cleared: clearing the whole colour
    // buffer would cost several times the pick and change no answer.
    void beginPicking(unsigned x, unsigned y);
    unsigned long finishPicking(unsigned x, unsigned y);
};

#endif
