#ifndef DRAVIK_MANIPULATION_TOSSABLESTRATEGY_H
#define DRAVIK_MANIPULATION_TOSSABLESTRATEGY_H

#include <deque>
#include <vector>

#include "framework/Export.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

// Lets the component be flicked across the display.
//
// While the component is pressed and dragged the strategy records the last three pointer
// positions; at the release their span (newest minus oldest) becomes the toss velocity, in
// distance per frame. When that speed reaches the static friction coefficient the component
// keeps moving on its own: every frame the velocity loses the fraction `currentFriction`,
// read from the "FRICTION_BUFFER" of the surface under the component's position (see
// FrictionSurfaceStrategy). The toss ends below the cutoff speed, at the edge of the display
// (where the position is clamped), on a friction outside [0, 1], or when a press inside
// catches the component. A toss that ends asks the manager to drop the component again onto
// whatever lies under it. The strategy does not move the component during the drag.
class DRAVIK_API TossableStrategy : public VisComponentStrategy {
public:
    TossableStrategy() = default;
    // Copies carry the history and the toss state; the copy sits on no component.
    TossableStrategy(const TossableStrategy&) = default;
    TossableStrategy& operator=(const TossableStrategy&) = default;
    ~TossableStrategy() override = default;

    double getCurrentFriction() const { return currentFriction; }
    void setCurrentFriction(double friction) { currentFriction = friction; }
    // Stored and reported only: the motion follows the friction read from the surface.
    double getFrictionCoefficient() const { return frictionCoefficient; }
    void setFrictionCoefficient(double coefficient) { frictionCoefficient = coefficient; }
    double getStaticFrictionCoefficient() const { return staticFrictionCoefficient; }
    void setStaticFrictionCoefficient(double coefficient) { staticFrictionCoefficient = coefficient; }
    double getTossingCutoff() const { return tossingCutoff; }
    void setTossingCutoff(double cutoff) { tossingCutoff = cutoff; }
    bool isTossing() const { return tossing; }
    void setTossing(bool value) { tossing = value; }
    // Glides on with the velocity (distance per frame) of a gesture another strategy ended,
    // when it is at least the static friction coefficient, as a release at that speed would.
    void glide(double vx, double vy);

protected:
    void initProperties() override;
    void process() override;
    void onEvent(DravikEvent* event) override;
    void readPassiveBuffers(const std::vector<unsigned>& types) override;
    void readAllPassiveBuffers() override;

    std::deque<Point3d> cursorPositions;  // oldest at the front; z is always 0
    unsigned numberCursorPositions = 3;
    bool tossing = false;
    double currentFriction = 0.025;
    double frictionCoefficient = 0.025;
    double staticFrictionCoefficient = 2.0;  // least release speed that starts a toss
    double tossingCutoff = 0.01;             // speed per frame below which a toss ends
    double velocityX = 0.0;
    double velocityY = 0.0;
    unsigned frictionBufferType = 0;
    unsigned pressEventType = 0;
    unsigned dragEventType = 0;
    unsigned releaseEventType = 0;
    unsigned cancelEventType = 0;  // "CANCEL": another strategy took the contact

private:
    void addCursorPosition(double x, double y);
    void readFriction();
    // Ends a toss; the manager drops the component again onto what now lies under it.
    void stopTossing();
};

#endif
