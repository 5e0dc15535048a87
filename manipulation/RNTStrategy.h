#ifndef DRAVIK_MANIPULATION_RNTSTRATEGY_H
#define DRAVIK_MANIPULATION_RNTSTRATEGY_H

#include "framework/Export.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

// Rotate and translate: lets one user turn and move the component at once with one touch.
//
// The component's position is the centre of the motion. Each drag of the holder turns the
// component (with its subtree) by the angle the touch point sweeps around the centre, and
// moves it along the line from the centre to the touch point so that the touch point keeps
// its previous distance from the centre. Afterwards the position is pulled back onto the
// display. A press starts this only on the "RNT_AREA" of the component's button grid (see
// activateRNT); other presses inside hold the component without turning it. Presses and
// drags at points that are not finite numbers are ignored; the holder's release frees the
// component wherever it is.
class DRAVIK_API RNTStrategy : public VisComponentStrategy {
public:
    RNTStrategy() = default;
    // Copies carry the grab state too; the copy sits on no component.
    RNTStrategy(const RNTStrategy&) = default;
    RNTStrategy& operator=(const RNTStrategy&) = default;
    ~RNTStrategy() override = default;

protected:
    void initProperties() override;
    void onEvent(DravikEvent* event) override;

    // Turns and moves the component for a drag to the global point (x, y), measured against
    // (lastX, lastY). True when the position had to be pulled back onto the display.
    virtual bool applyRNT(double x, double y);
    // Whether a press at the global point starts the manipulation.
    virtual bool activateRNT(const Point3d& point);

    // The component's "BUTTON_BUFFER" byte under the global pixel; "NO_BUTTON" when the
    // component has no such grid or the pixel lies outside it.
    unsigned char getButtonValue(unsigned x, unsigned y);

    double color[4] = {1.0, 1.0, 1.0, 1.0};  // for strategies that draw a decoration
    bool grabbed = false;
    bool rntActive = false;
    unsigned userId = 0;
    double lastX = -1.0;  // the last handled event, global coordinates
    double lastY = -1.0;
    unsigned buttonBufferType = 0;
    unsigned char noButtonValue = 0;
    unsigned char rntAreaValue = 0;
    unsigned pressEventType = 0;
    unsigned dragEventType = 0;
    unsigned releaseEventType = 0;
    unsigned cancelEventType = 0;  // "CANCEL": another strategy took the contact
};

#endif
