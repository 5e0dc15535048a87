#ifndef DRAVIK_FRAMEWORK_VISCOMPONENTSTRATEGY_H
#define DRAVIK_FRAMEWORK_VISCOMPONENTSTRATEGY_H

#include <vector>

#include "framework/Export.h"

class DravikEvent;
class VisComponent;

// A rectangle in component coordinates (origin at the component's position, unturned,
// unscaled).
struct DRAVIK_API LocalBounds {
    double left, bottom, right, top;
};

// One behaviour of a component. A component carries a stack of strategies; the framework
// calls the virtual operations below and each strategy overrides the ones it needs. The
// base operations do nothing (drop refuses).
//
// Order: a component's strategies are initialised, processed, drawn and given events in the
// order they were pushed (bottom of the stack first), so that a scene file lists them in the
// order they paint: an image pushed before a border is drawn under it.
class DRAVIK_API VisComponentStrategy {
public:
    VisComponentStrategy() = default;
    // A copy is a strategy of the same configuration that sits on no stack yet.
    VisComponentStrategy(const VisComponentStrategy&) {}
    VisComponentStrategy& operator=(const VisComponentStrategy&) { return *this; }
    virtual ~VisComponentStrategy() = default;

    VisComponent* getComponent() const { return component; }
    VisComponentStrategy* getNext() const { return next; }  // toward the bottom of the stack

protected:
    // Once, when the component joins a manager (or at once when pushed onto a component that
    // already is in one): intern names, create grids, register proxies.
    virtual void initProperties() {}
    // Once per frame, before passive grids are read.
    virtual void process() {}
    // Under the component's transform; `selectedIds` are the components held by users.
    virtual void draw(const std::vector<unsigned long>& selectedIds) { (void)selectedIds; }
    // Draws the shape that picks the component, in its identifier colour.
    virtual void drawForPicking() {}
    virtual void onEvent(DravikEvent* event) { (void)event; }
    // False for strategies that follow one touch per user: routed touches reach them only
    // from the one contact per user that the manager lets them follow (see DravikManager).
    // True for those that follow every contact on their component (a pinch).
    virtual bool followsEveryContact() const { return false; }
    // The component's size changed to w x h (its active grids already have that size).
    virtual void resize(unsigned w, unsigned h) { (void)w; (void)h; }
    // The component was dropped: it now lies in its parent, the container it landed on (or
    // on the root), and may read that container's grids at once; `animate` asks for the
    // adding to be animated. The framework ignores the result (which container takes the
    // component is decided by acceptsDrops and the grids read); a strategy may return
    // whether the drop means something to it, as a current observer does for a belt.
    virtual bool drop(bool animate) { (void)animate; return false; }
    // True when this strategy makes its component a container: components dropped onto it
    // become its children (see VisComponent::drop).
    virtual bool acceptsDrops() const { return false; }
    // Grows `bounds`, which starts as the component's rectangle, to hold everything that
    // drawForPicking draws. Picking looks only at components whose bounds hold the point.
    virtual void extendPickingBounds(LocalBounds& bounds) const { (void)bounds; }
    // Read the connected passive grids of the listed types, or of all types.
    virtual void readPassiveBuffers(const std::vector<unsigned>& types) { (void)types; }
    virtual void readAllPassiveBuffers() {}
    virtual void readAllPickingPassiveBuffers() {}

    VisComponent* component = nullptr;    // owner, set by pushStrategy
    VisComponentStrategy* next = nullptr; // the strategy below on the stack

    friend class VisComponent;
    friend class DravikManager;  // delivers routed touches strategy by strategy
};

#endif
