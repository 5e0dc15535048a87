#ifndef DRAVIK_FRAMEWORK_VISCOMPONENT_H
#define DRAVIK_FRAMEWORK_VISCOMPONENT_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/CompositeNode.h"
#include "framework/Export.h"
#include "framework/IBufferProxy.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

class DravikEvent;
class DravikManager;

// A visual component: a rectangle of `width` x `height` pixels centred on `position`, turned
// by `angle` (radians, counter-clockwise) and scaled by `scale`, with a stack of strategies
// and grids.
//
// Coordinates. Global coordinates are display pixels, origin bottom-left, y up; every
// component's `position` is global, children included. Component coordinates have their
// origin at the position, axes turned by the angle and divided by the scale. Grid cell =
// component coordinate + (width >> 1, height >> 1).
//
// A component owns its strategies, its proxies with their active grids, and its children.
// Destroying it removes it from its parent, from its manager's lists and from every
// selection.
class DRAVIK_API VisComponent : public CompositeNode {
public:
    static constexpr unsigned long NoComponentId = 0;  // the identifier of black: no component

    VisComponent();
    // A copy has the original's geometry and colour, a new identifier, and no strategies,
    // grids, children or manager.
    VisComponent(const VisComponent& other);
    VisComponent& operator=(const VisComponent& other);
    ~VisComponent() override;

    // Strategies. The pushed strategy becomes the top of the stack; the component owns it.
    void pushStrategy(VisComponentStrategy* strategy);
    // Runs initProperties of every strategy that has not had it yet, in push order.
    void initPropertiesComponent();
    // True once the component's strategies had their initProperties pass in a manager: a
    // strategy pushed from then on is initialised at once, before any pushed after it.
    bool isLive() const { return live; }
    void onEvent(DravikEvent* event);  // to every strategy; does not take the event

    // True when the global point lies on the component's rectangle (turned and scaled).
    bool isInside(unsigned x, unsigned y) const;

    // Move or turn this component and its whole subtree; children turn about this
    // component's position. Non-finite amounts are ignored.
    void moveBranchBy(double dx, double dy, double dz);
    void rotateBranch(double angleRadians);

    void convertGlobalToBufferCoords(double gx, double gy, double& bx, double& by) const;
    void convertGlobalToComponentCoords(Point3d& point) const;
    void convertComponentToGlobalCoords(Point3d& point) const;

    // Grids. The component takes the proxy (and for active proxies the grid).
    void addActiveBuffer(IBufferProxy* proxy);
    void addPassiveBuffer(IBufferProxy* proxy);
    IBufferProxy* getActiveBufferByType(unsigned type) const;
    IBufferProxy* getPassiveBufferByType(unsigned type) const;
    // Gives every active grid the component's size, then every strategy `resize`.
    void resizeActiveBuffers();
    bool hasConnectedPassiveBuffers() const;
    std::size_t getActiveBuffersMemorySize() const;  // bytes

    // The container this component lies in: its parent, or for a top-level component the
    // manager's root component; null for the root itself and for free components.
    VisComponent* getContainer() const;
    // Points every passive proxy at the container's active grid of its type (or at nothing).
    void connectPassiveBuffers();

    // The rectangle in component coordinates that holds everything the component draws for
    // picking: its grid rectangle, widened by every strategy's extendPickingBounds.
    LocalBounds getPickingBounds() const;

    void getIdColor(unsigned char* rgb) const;
    static unsigned long convertColorToId(const unsigned char* rgb);

    // Reads the listed passive grid types `count` times at once, so that a component that
    // lands on a container takes on its grids' values without waiting for the next frame.
    void animateAdding(const std::vector<unsigned>& types, unsigned count);

    // Frame passes, run by the manager.
    void readPassiveBuffers(const std::vector<unsigned>& types);
    void readAllPassiveBuffers();
    void readAllPickingPassiveBuffers();
    void render(const std::vector<unsigned long>& selectedIds);
    // Only what the strategies draw in drawForPicking: a component is picked where they draw
    // its identifier colour, and one whose strategies draw nothing there is never picked.
    void renderForPicking();

    void print() const;          // one line on standard output
    void printChildren() const;  // the subtree below, indented

    // Appends the child (detaching it from wherever it was) at the front of the children.
    virtual void addChild(VisComponent* child);
    // Makes this component the front-most of its siblings.
    virtual void moveNodeToFront();
    // Makes this component the front-most child of `newParent`, or a top-level component
    // of its manager when `newParent` is null; reconnects its passive grids.
    virtual void moveNodeTo(VisComponent* newParent);
    // One frame of the component: runs every strategy's process. `time` is in seconds.
    virtual void animate(double time);
    // New size: width and height, then resizeActiveBuffers.
    virtual void resize(unsigned w, unsigned h);
    // Lands the component on the front-most container under its position that takes it
    // (see isContainerFor) and makes it that container's child, so that it moves and turns
    // with the container; with no such container it becomes top-level, lying on the root.
    // Then every strategy of the component hears of the drop (`drop(animate)`), so that it
    // can read the new container's grids at once. Returns true: a container under the point
    // that would refuse is not a candidate.
    virtual bool drop(bool animate);
    // True when `item` dropped onto this component would become its child: this component
    // is not a leaf, is neither the item nor inside the item's subtree, and either one of
    // its strategies accepts drops (bounded containers, belts, bins, friction surfaces) or
    // it offers a grid that the item reads. With no item: whether this component is a
    // container at all (a strategy accepts drops, or it offers any grid).
    bool isContainerFor(const VisComponent* item) const;

    bool leaf = false;  // a leaf never contains other components
    unsigned long id;
    DravikManager* manager = nullptr;
    Point3d position;
    double angle = 0.0;
    unsigned width = 100;
    unsigned height = 100;
    Point3d scale{1.0, 1.0, 1.0};
    double color[4] = {1.0, 1.0, 1.0, 1.0};
    unsigned char idColor[3];
    VisComponentStrategy* strategy = nullptr;  // top of the stack
    bool animationsSuspended = false;

protected:
    // Around drawing: set up and restore the component's transform.
    virtual void preRender() {}
    virtual void postRender() {}

private:
    struct StrategySlot {
        std::unique_ptr<VisComponentStrategy> strategy;
        bool initialised = false;
    };

    void assignNewId();
    void detachFromParent();
    bool readsAnyBufferOf(const VisComponent* container) const;
    // cos and sin of `angle`, computed again only when the angle changed: components read
    // grids and test points far more often than they turn.
    void angleCosSin(double& c, double& s) const;
    bool hasStrategyAcceptingDrops() const;

    mutable double trigAngle = 0.0, trigCos = 1.0, trigSin = 0.0;  // of angleCosSin
    // Kept by the manager for picking: the slot in its picking index, and a stamp that orders
    // siblings (back to front) and puts the root before the top-level components.
    std::size_t pickingSlot = static_cast<std::size_t>(-1);
    std::uint64_t drawStamp = 0;
    bool live = false;
    std::vector<StrategySlot> strategies;  // push order
    std::vector<std::unique_ptr<IBufferProxy>> activeBuffers;
    std::vector<std::unique_ptr<IBufferProxy>> passiveBuffers;

    friend class DravikManager;
};

#endif
