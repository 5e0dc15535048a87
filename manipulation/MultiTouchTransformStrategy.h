#ifndef DRAVIK_MANIPULATION_MULTITOUCHTRANSFORMSTRATEGY_H
#define DRAVIK_MANIPULATION_MULTITOUCHTRANSFORMSTRATEGY_H

#include <cstdint>
#include <deque>
#include <vector>

#include "framework/Export.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

// Moves, turns and scales the component with two or more contacts on it, as a pinch does.
//
// With two contacts the component follows their centroid, turns by the change of the angle
// between them and scales by the change of their spread, about the centroid, so that the
// points under the fingers stay under them; with three or more it takes the similarity
// transform that best maps the contacts' previous points onto their new ones (least squares).
// The scale stays within [minScale, maxScale]; move, turn and scale can each be switched off
// (without moving, the component turns and scales about its own position). Contacts closer
// together than a pixel give no angle or spread: they only move the component.
//
// Which contacts form one gesture: the contacts of one user (TUIO 2.0 pointers, mouse
// buttons), or the contacts without a user (TUIO 1.1 fingers, touch screen contacts) on the
// component; with shareAmongUsers, every contact on the component, whoever it belongs to (two
// people stretching one map). When the second contact of a group lands, the strategy claims
// the group's contacts (see DravikManager): the one-touch strategies on the component get a
// "CANCEL" and stop. A contact that another strategy claimed first (a resize corner) is not
// taken. When the gesture falls back to one contact, that contact's next move is given back
// to the one-touch strategies, which go on from where it is; when the last contact lifts
// instead, a TossableStrategy on the component glides on with the gesture's velocity (its
// span over the last three moves, per frame, as a toss measures it).
//
// Outside a manager every contact may be taken.
class DRAVIK_API MultiTouchTransformStrategy : public VisComponentStrategy {
public:
    MultiTouchTransformStrategy() = default;
    // Copies carry the configuration, not the contacts down.
    MultiTouchTransformStrategy(const MultiTouchTransformStrategy& other);
    MultiTouchTransformStrategy& operator=(const MultiTouchTransformStrategy& other);
    ~MultiTouchTransformStrategy() override = default;

    double getMinScale() const { return minScale; }
    double getMaxScale() const { return maxScale; }
    // Scale bounds; values that are not positive finite numbers, or a minimum above the
    // maximum, leave them unchanged (false).
    bool setScaleBounds(double minimum, double maximum);
    bool getMoves() const { return moves; }
    void setMoves(bool value) { moves = value; }
    bool getTurns() const { return turns; }
    void setTurns(bool value) { turns = value; }
    bool getScales() const { return scales; }
    void setScales(bool value) { scales = value; }
    bool getShareAmongUsers() const { return shareAmongUsers; }
    void setShareAmongUsers(bool value) { shareAmongUsers = value; }

    bool isTransforming() const { return gestureSize() >= 2; }

protected:
    void initProperties() override;
    void onEvent(DravikEvent* event) override;
    bool followsEveryContact() const override { return true; }

private:
    struct Contact {
        unsigned userId;
        std::uint64_t contactId;
        bool anonymous;
        Point3d at;
        bool inGesture;
    };

    std::uint64_t groupOf(const Contact& contact) const;
    std::size_t gestureSize() const;
    Contact* find(const DravikEvent& event);
    DravikEvent nameOf(const Contact& contact) const;
    void pressed(const DravikEvent& event);
    void moved(Contact& contact, const Point3d& to);
    void lifted(const DravikEvent& event, bool cancelled);
    bool mayTake(const Contact& contact) const;
    bool take(Contact& contact);
    // Moves, turns and scales the component as the gesture went from `before` to its
    // contacts' current points.
    void transform(const std::vector<Point3d>& before);
    void scaleBranch(double factor);
    void endGesture();

    double minScale = 0.25;
    double maxScale = 4.0;
    bool moves = true;
    bool turns = true;
    bool scales = true;
    bool shareAmongUsers = false;

    std::vector<Contact> contacts;  // press order
    std::uint64_t gestureGroup = 0;
    std::deque<Point3d> path;  // the component's last positions in the gesture, oldest first
    unsigned pressEventType = 0, dragEventType = 0, releaseEventType = 0, cancelEventType = 0;
};

#endif
