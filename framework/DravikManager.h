#ifndef DRAVIK_FRAMEWORK_DRAVIKMANAGER_H
#define DRAVIK_FRAMEWORK_DRAVIKMANAGER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/Export.h"
#include "framework/Point3d.h"

class DravikEvent;
class FrameTimer;
class VisComponent;
class VisComponentStrategy;
namespace detail {
class PickingIndex;
}

// Keeps the scene: the root component (the table, drawn first), the top-level components
// (back to front) with their subtrees, and the touch indicators (drawn last). Routes touches
// to components, runs the frame passes, and draws.
//
// Touch routing (processEvent without a target) is per contact: every touch belongs to one
// contact of its user (DravikEvent::contactId; events built without one are the user's only
// contact). A "PRESS" goes to the component under the point, which that contact then holds and
// which comes to the front among its siblings; the contact's following events go to the held
// component whatever lies under them, so several contacts hold several components at once.
// After the contact's "RELEASE" the component is dropped onto the container under it, unless
// the same user still holds it with another contact (contacts without users on one component
// count as one user here). A press of a contact that is already down ends its old hold as a
// cancel would (below). Events with non-finite coordinates reach nothing, except that a
// "RELEASE" still ends its contact's hold. Each routed event also goes to the touch indicator
// of its user (users 1, 2, ...).
//
// What the strategies of the held component see:
// - Strategies that follow one touch per user (all but those whose followsEveryContact is true)
//   see, per user, one contact on their component: the first one pressed on it that no
//   strategy has claimed. When that contact lifts while another contact of the same user
//   still holds the component, they get a "CANCEL" of the lifted contact and then a "PRESS"
//   of the next contact where it is, so that they go on from there without a jump; the user
//   has not let go of the component.
// - Strategies that follow every contact see the events of every contact on their component.
// - Arbitration, the one rule: a strategy claims a contact on its component (claimContact);
//   from then on the contact's events reach only that strategy, and the strategies that were
//   following it get a "CANCEL" of it and stop without tossing, resizing or dropping. The
//   first claim holds: a claimed contact cannot be claimed by another strategy until its
//   claimant gives it back (returnContact) or it lifts. While a user's contact on a component
//   is claimed, the one-touch strategies there follow none of that user's other contacts. So
//   a strategy whose operation must not be broken off (a resize corner, a container's control
//   point) claims its contact when the operation starts, and a pinch claims its contacts when
//   the second one lands. When the user's last claimed contact there is given back or lifts,
//   the one-touch strategies follow the user's first remaining contact from where it is (a
//   "PRESS" there): a pinch falling back to one finger becomes that finger's drag.
//
// The selection is the list of held components, one entry per user and component held, in
// press order.
class DRAVIK_API DravikManager {
public:
    // `touchIndicatorCount`: number of touch indicators the host wants to show.
    DravikManager(FrameTimer* timer, unsigned touchIndicatorCount);
    DravikManager(const DravikManager&) = delete;
    DravikManager& operator=(const DravikManager&) = delete;
    virtual ~DravikManager();

    // Runs initTouchIndicators and then initComponents.
    void initialize();
    virtual void resize(unsigned width, unsigned height);

    // Makes the component top-level (front-most), takes ownership and initialises the
    // strategies of its subtree. False when it already belongs to a manager.
    bool addComponent(VisComponent* component);
    // Makes the component the root (owned, initialised); destroys the previous root.
    void setRootComponent(VisComponent* component);

    // With a component: delivers the event to it at once. Without: routes it (see above).
    void processEvent(DravikEvent* event, VisComponent* component);

    // Arbitration (see above). `contact` names the contact by its user and contact identifier;
    // the contact must be down and hold the claimant's component. True when the claimant has
    // the contact (now or already); false when it is not down there or another strategy has
    // claimed it.
    bool claimContact(VisComponentStrategy* claimant, const DravikEvent& contact);
    // Whether claimContact would succeed, without claiming.
    bool canClaimContact(const VisComponentStrategy* claimant, const DravikEvent& contact) const;
    // Gives a claimed contact back to the strategies that follow one contact per user.
    void returnContact(VisComponentStrategy* claimant, const DravikEvent& contact);
    // The number of contacts down that hold the component.
    std::size_t countContactsHolding(unsigned long id) const;

    // The component's place changed without a touch (a toss ended, a container changed
    // shape): it is dropped again onto the container under it at the end of the next (or
    // the current) process pass.
    void addToUpdateList(unsigned long id);

    const std::vector<unsigned long>& getSelectedComponentIds() const { return selectedIds; }
    // Users holding the component let go of it: their further drags reach nothing.
    void unselectComponent(unsigned long id);
    // Users holding `oldId` now hold `newId` (a press handed over to another component); their
    // touch indicators show it as their target.
    void replaceSelectedID(unsigned long oldId, unsigned long newId);

    // One frame. A host delivers the frame's input events and then calls this once per
    // frame; it runs, in order:
    //   1. the frame timer: the frame time is measured from the previous frame's start to
    //      this one's, so that it includes waiting for the display and `frameRate` (taken
    //      from the timer here) is the rate users see; the first frame only starts the timer;
    //   2. processComponents (animations, tossing, bins, pending drops);
    //   3. readPassiveBuffers (items ride the grids under them);
    //   4. renderAll(false, true, false), under the host's projection.
    // Without a frame timer `frameRate` is left as the host sets it. Overlays, swapping and
    // the projection stay the host's.
    void runFrame();

    // The passes of a frame, for hosts that run them one by one: every strategy's process
    // and then the pending drops; then every component with connected passive proxies
    // reads them.
    void processComponents();
    void readPassiveBuffers();

    // Draws the scene back to front. `picking`: in identifier colours; `drawRoot`: include
    // the root component; `containersOnly`: only the components that are containers
    // (VisComponent::isContainerFor with no item).
    void renderAll(bool picking, bool drawRoot, bool containersOnly);
    // As renderAll, leaving out the component `excluded` and its subtree; with
    // `containersOnly`, only the containers that would take `excluded` as a child.
    void renderOtherContainers(unsigned long excluded, bool picking, bool drawRoot, bool containersOnly);
    // What a pick of the one pixel (x, y) must draw: renderOtherContainers(excluded, true,
    // drawRoot, containersOnly) left to the components whose picking bounds (see
    // VisComponent::getPickingBounds), turned and scaled, may cover the pixel, so that a pick
    // costs little more than the few components under the point. The bounds are widened by
    // a pixel, so that rounding never leaves out a component the full drawing would show.
    // The components are found in an index of where each one draws (a grid of buckets over
    // the display), so that the cost does not grow with the number of components elsewhere.
    void renderForPickingAt(unsigned x, unsigned y, unsigned long excluded, bool drawRoot, bool containersOnly);
    // The picking index follows the components without being told: the process and grid
    // reading passes of a frame check every component (and make again only what changed), an
    // event given to a component marks the branch of its top-level component (the component
    // may move, turn, resize or move what it holds), and adding, removing and moving components
    // between parents update it. A host that moves, turns, scales or resizes a component of
    // the scene between frames in another way, or a strategy that moves components outside
    // the branch of the event it was given, calls this before the next pick: for the branch
    // of the component's top-level component, or with null for every component.
    void componentMoved(const VisComponent* component);

    unsigned getNumberComponents() const;  // every component but the root and the indicators
    double getBuffersMemorySizeKBytes() const;
    VisComponent* getComponentById(unsigned long id) const;

    std::vector<VisComponent*> components;      // top level, back to front; owned
    VisComponent* rootComponent = nullptr;      // owned
    std::vector<VisComponent*> touchIndicators; // one per user (user 1 first); owned, may be null
    std::vector<VisComponent*> touchTargets;    // per indicator: the component its user holds
    FrameTimer* frameTimer;
    double frameRate = 0.0;
    unsigned displayWidth = 0;
    unsigned displayHeight = 0;
    unsigned touchIndicatorCount;

protected:
    virtual void initTouchIndicators() {}
    virtual void initComponents() {}

    // The component that a press at the global point reaches, or NoComponentId. This one
    // tests the components' rectangles front to back; a drawing manager picks by colour.
    virtual unsigned long findComponentAt(double x, double y);
    // The front-most non-leaf component under the global point, `dropped` and its subtree
    // left out; NoComponentId for none (then the root is the container).
    virtual unsigned long findContainerAt(double x, double y, const VisComponent* dropped);

private:
    // One contact down on a component.
    struct Hold {
        unsigned userId;
        std::uint64_t contactId;
        bool anonymous;
        VisComponent* component;
        VisComponentStrategy* claimant;  // null: not claimed
        bool followed;                   // the contact its user's one-touch strategies see
        Point3d last;                    // where it last was
    };
    static constexpr std::size_t NoHold = static_cast<std::size_t>(-1);

    void adoptRoot();
    void registerTree(VisComponent* component);
    void forgetComponent(VisComponent* component);  // called while it is being destroyed
    void releaseHold(std::size_t index);
    void refreshSelection();
    void routeEvent(DravikEvent* event);
    // Contact routing (DravikManagerRouting.cpp).
    enum class Audience : unsigned char;
    std::size_t findHold(unsigned userId, std::uint64_t contactId) const;
    // True when none of the user's contacts on the component is followed or claimed: the
    // user's one-touch strategies there are free for another contact.
    bool isOneTouchFree(unsigned userId, const VisComponent* component) const;
    void pressContact(DravikEvent* event);
    // The contact lifted (`lifted`) or was called off: its component's strategies hear of it
    // and its hold ends.
    void endContact(std::size_t index, DravikEvent* event, bool lifted);
    // When the user's one-touch strategies on the component are free, the first contact of
    // the user there that no strategy claimed is followed, from where it is.
    void followNext(unsigned userId, VisComponent* component);
    // Gives the event to the strategies of `target` in the audience, strategy by strategy
    // while the event's contact still holds `target` (a strategy may claim it meanwhile).
    void deliver(VisComponent* target, DravikEvent* event, Audience audience,
                 const VisComponentStrategy* skipped = nullptr);
    void showTouch(const DravikEvent* event, VisComponent* target);
    // Every registered component in drawing order (root subtree, then top level).
    void collectDrawingOrder(std::vector<VisComponent*>& out, bool drawRoot, bool containersOnly,
                             const VisComponent* excluded) const;
    void renderList(const std::vector<VisComponent*>& list, bool picking);
    // Picking (see componentMoved). The component became the front-most of its siblings.
    void placedInFront(VisComponent* component);
    // Brings the picking index up to date with everything marked since the last pick.
    void syncPickingIndex();
    // Appends to pickPaths the drawing stamps from the component's top-level component (or
    // the root) down to it, which order components as the drawing does; false (nothing
    // appended) when renderOtherContainers(excluded, ..., drawRoot, containersOnly) would
    // not draw it.
    bool appendDrawingPath(const VisComponent* component, const VisComponent* excluded, bool drawRoot,
                           bool containersOnly);

    std::unordered_map<unsigned long, VisComponent*> componentsById;
    std::vector<Hold> holds;                 // press order
    std::vector<unsigned long> selectedIds;  // see the class comment
    std::vector<unsigned long> updateList;
    // Kept across frames; one per pass, since a pass may start a pick.
    std::vector<VisComponent*> frameOrder;
    std::vector<unsigned long> frameIds;
    std::vector<VisComponent*> drawOrder;
    std::vector<VisComponent*> pickOrder;
    unsigned long structureChanges = 0;       // counts destructions, to guard frame passes
    std::unique_ptr<detail::PickingIndex> pickingIndex;
    std::vector<unsigned long> movedBranches;  // top-level components (or the root) to check
    bool everythingMoved = false;              // every component to check
    bool pickingAreaStale = true;              // the display size changed
    std::uint64_t drawStamps = 0;              // the last stamp given; the root has 0
    struct PickSpan {
        std::size_t begin, end;  // its drawing path in pickPaths
        VisComponent* component;
    };
    std::vector<VisComponent*> pickCandidates;
    std::vector<std::uint64_t> pickPaths;
    std::vector<PickSpan> pickSpans;
    bool frameTimerStarted = false;
    unsigned pressEventType;
    unsigned dragEventType;
    unsigned releaseEventType;
    unsigned cancelEventType;

    friend class VisComponent;
};

#endif
