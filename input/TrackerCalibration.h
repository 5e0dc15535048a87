#ifndef DRAVIK_INPUT_TRACKERCALIBRATION_H
#define DRAVIK_INPUT_TRACKERCALIBRATION_H

#include <string>

#include "framework/Export.h"

// How a tracker's picture lies on the display: trackers are mounted turned, mirrored, or
// seeing more than the display. Works on normalised coordinates (0 ... 1, origin top left,
// y down, as TUIO sends them), in this order:
//
//  1. the area: the rectangle of the tracker's range that covers the display (left, top,
//     width, height in the tracker's own 0 ... 1 units) is stretched onto the whole display;
//     a touch outside it is outside the display and dropped;
//  2. the flips: x becomes 1 - x, y becomes 1 - y;
//  3. the turn: the picture is turned clockwise by 90, 180 or 270 degrees about its centre
//     (by 90: the top left corner goes to the top right).
//
// The default is the identity: the whole range, unflipped, unturned.
struct DRAVIK_API TrackerCalibration {
    double left = 0.0, top = 0.0, width = 1.0, height = 1.0;
    bool flipX = false, flipY = false;
    unsigned quarterTurns = 0;  // clockwise, 0 to 3

    // Reads a comma-separated list of "flip-x", "flip-y", "turn-90", "turn-180", "turn-270"
    // and "area=WxH+LEFT+TOP" (numbers in the tracker's 0 ... 1 units, e.g.
    // "area=0.8x0.9+0.1+0.05"); an empty text is the identity. Throws InputError naming what
    // is wrong, e.g. an area of zero or negative size.
    static TrackerCalibration parse(const std::string& text);

    // Maps a tracker position to the display's; false (the point unchanged) when it lies
    // outside the area. Refuses an area that is not a rectangle of positive, finite size by
    // taking no point at all: build calibrations with parse or check them with isValid.
    bool apply(double& x, double& y) const;
    bool isValid() const;
    bool isIdentity() const;
};

#endif
