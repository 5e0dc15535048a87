#ifndef DRAVIK_MANIPULATION_RESIZER4BUTTONSTRATEGY_H
#define DRAVIK_MANIPULATION_RESIZER4BUTTONSTRATEGY_H

#include <cstdint>
#include <vector>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "framework/IBuffer.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

// Lets one user at a time resize the component from any of its four corners.
//
// The strategy writes square "RESIZE_BUTTON" blocks of `buttonSize` cells into the corners
// of the component's "BUTTON_BUFFER" (over what other strategies put there; it makes the
// grid when there is none), the whole grid when the component is smaller than 60 x 60.
// Corner index 0 is the block at the grid's first columns and first rows (minimum x and y
// in the component's frame), 1 at the first columns and last rows, 2 at the last columns
// and first rows, 3 at the last columns and last rows; each exists only while its flag is
// set. The blocks are also the strategy's picking shape.
//
// A press on a button grabs the corner of the pressed quadrant; while the same user drags,
// the opposite corner stays in place and the grabbed one follows the pointer. Width and
// height never fall below the minimum (a corner dragged across the opposite one leaves the
// minimum-size rectangle at that corner), nor below 1 pixel; a drag does not grow a side
// beyond 16384 pixels. With keepAspect the width follows the height times the aspect ratio
// the component had when the strategy was initialised. Each resize sends one "RESIZE_START"
// at its press and one "RESIZE_END" at its release to the component (through its manager),
// and resizes the component's grids once, at the release. Drags at points that are not
// numbers change nothing; a release ends the resize wherever it is.
class DRAVIK_API Resizer4ButtonStrategy : public VisComponentStrategy {
public:
    Resizer4ButtonStrategy() = default;
    // Copies carry the resize state too; the copy sits on no component.
    Resizer4ButtonStrategy(const Resizer4ButtonStrategy&) = default;
    Resizer4ButtonStrategy& operator=(const Resizer4ButtonStrategy&) = default;
    ~Resizer4ButtonStrategy() override;

    void setButtonSize(unsigned cells) { buttonSize = cells; }
    unsigned getButtonSize() const { return buttonSize; }
    // Stores the flag (0 or 1) of corner `index` (0 to 3); other indices or flags change
    // nothing.
    void setCorner(int index, int flag);
    void setCorner(const unsigned* flags);  // all four
    unsigned getCorner(unsigned index) const { return index < 4 ? corners[index] : 0; }
    void setKeepAspect(bool keep) { keepAspect = keep; }
    bool getKeepAspect() const { return keepAspect; }
    // Negative minimums count as very large ones (they are compared as unsigned numbers).
    void setMinWidth(int width) { minWidth = width; }
    void setMinHeight(int height) { minHeight = height; }
    // Stored and reported only: the strategy draws no border.
    void setDrawBorder(bool draw) { drawBorder = draw; }
    bool getDrawBorder() const { return drawBorder; }
    bool isResizing() const { return resizing; }

protected:
    void initProperties() override;
    void onEvent(DravikEvent* event) override;
    void resize(unsigned w, unsigned h) override;
    void drawForPicking() override;

    // Resizes for the grabbed corner at the global point (x, y) plus the grab offset.
    void dragResize(double x, double y);
    // Records a grey corner mark for the component's size into `displayList` (made at the
    // first call, kept by copies). The strategy neither calls nor deletes it: the list is
    // for subclasses that draw the mark, which delete it themselves.
    virtual void createDisplayList();

    unsigned corners[4] = {1, 1, 1, 1};
    unsigned buttonSize = 70;
    std::int32_t minWidth = 10;
    std::int32_t minHeight = 10;
    unsigned buttonBufferType = 0;
    unsigned char noButtonValue = 0;
    unsigned char resizeButtonValue = 0;
    unsigned listWidth = 0;
    unsigned listHeight = 0;
    bool drawBorder = true;
    bool resizing = false;
    unsigned userId = 0;
    bool keepAspect = false;
    double aspectRatio = 0.0;  // width / height when initialised
    Point3d grabOffset;        // grabbed corner minus press point, global
    Point3d anchor;            // the corner opposite the grabbed one, global
    double cornerSignX = 0.0;  // direction of the grabbed corner from the centre
    double cornerSignY = 0.0;
    Point3d minSizeCentre;  // centre of the minimum-size rectangle held at the anchor, global
    unsigned pressEventType = 0;
    unsigned dragEventType = 0;
    unsigned releaseEventType = 0;
    unsigned resizeStartEventType = 0;
    unsigned resizeEndEventType = 0;
    DisplayList displayList;

private:
    unsigned char getButtonValue(unsigned x, unsigned y);
    void fillButtonBuffer(IBuffer<unsigned char>* buffer);
    void startResize(const DravikEvent& event);
    // Sends an event of the type, at the point, to the component through its manager.
    void announce(unsigned type, const DravikEvent& cause);
};

#endif
