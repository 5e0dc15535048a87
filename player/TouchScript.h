#ifndef DRAVIK_PLAYER_TOUCHSCRIPT_H
#define DRAVIK_PLAYER_TOUCHSCRIPT_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "input/InputDispatcher.h"

// A recorded sequence of touches that the player replays frame by frame.
//
// Text format, one event per line; '#' starts a comment, blank lines are ignored:
//
//   FRAME EVENT USER X Y                  one event at the start of frame FRAME (from 1)
//   FIRST-LAST EVENT USER X Y X2 Y2       one event in every frame from FIRST to LAST, its
//                                         point moving evenly from (X, Y) to (X2, Y2)
//
// EVENT is PRESS, DRAG or RELEASE, or another event name of the library that a host sends
// to the component under the point: RESIZE_START, RESIZE_END, START_ANIMATION, READY_TO_DIE,
// ENABLE_FRAMEBUFFER_OBJECT_RENDERING, DISABLE_FRAMEBUFFER_OBJECT_RENDERING (any other name
// is an error: a misspelt name would otherwise be an event that does nothing);
// USER is a user number (mouse buttons are users 1, 2 and 3), optionally followed by the
// contact: USER.CONTACT is contact CONTACT (a number from 1) of that user, so that one user
// can touch with several fingers, and ~USER.CONTACT a contact without a user of its own
// (a TUIO 1.1 finger, a touch screen contact) in user slot USER. A USER alone is that user's
// only contact. X and Y are window pixels with the origin at the bottom left, y up. Events of
// one frame are delivered in file order.
class TouchScript {
public:
    // A touch of the script: its contact is DravikEvent::OnlyContact unless the script names one.
    using Touch = InputDispatcher::Touch;

    // Throws PlayerError naming the file and line of the first malformed line.
    static TouchScript parse(std::istream& in, const std::string& name);
    static TouchScript load(const std::string& path);

    // Appends the events of the frame to `out`, in file order.
    void eventsAt(unsigned frame, std::vector<Touch>& out) const;
    std::size_t size() const { return lines.size(); }

private:
    struct Line {
        unsigned firstFrame;
        unsigned lastFrame;
        unsigned type;
        unsigned user;
        std::uint32_t contact;
        bool anonymous;
        double x0, y0, x1, y1;
        std::size_t order;  // position in the file
    };

    std::vector<Line> lines;   // by first frame, then file order
    unsigned longestSpan = 0;  // largest lastFrame - firstFrame
};

#endif
