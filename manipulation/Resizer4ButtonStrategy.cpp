#include "manipulation/Resizer4ButtonStrategy.h"

#include <GL/gl.h>

#include <algorithm>

#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/ActiveGrids.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/CellBlocks.h"
#include "manipulation/detail/ResizeGeometry.h"
#include "manipulation/detail/TouchGeometry.h"

namespace {

// Below this size in both directions the whole grid is one resize button.
constexpr unsigned kSmallSide = 60;

// The resize buttons of a grid of W x H cells with buttons of s cells and the corner flags.
std::vector<detail::CellBlock> buttonBlocks(const unsigned corners[4], unsigned s, unsigned W, unsigned H) {
    if (W == 0 || H == 0) return {};
    if (W < kSmallSide && H < kSmallSide) return {{0, 0, W, H}};
    // A button larger than the grid is cut to one cell less than the grid.
    const unsigned sx = s > W ? W - 1 : s, sy = s > H ? H - 1 : s;
    std::vector<detail::CellBlock> blocks;
    if (corners[0] != 0) blocks.push_back({0, 0, sx, sy});
    if (corners[1] != 0 && s <= H) blocks.push_back({0, H - s, sx, H});
    if (corners[2] != 0 && s > 0 && s <= W) blocks.push_back({W - s, 0, W, sy});
    if (corners[3] != 0 && s > 0 && s <= W && s <= H) blocks.push_back({W - s, H - s, W, H});
    return blocks;
}

// The minimum side, compared as an unsigned number.
double asMinimum(std::int32_t side) { return static_cast<double>(static_cast<std::uint32_t>(side)); }

}  // namespace

Resizer4ButtonStrategy::~Resizer4ButtonStrategy() = default;

void Resizer4ButtonStrategy::setCorner(int index, int flag) {
    if (static_cast<unsigned>(index) <= 3 && static_cast<unsigned>(flag) <= 1)
        corners[index] = static_cast<unsigned>(flag);
}

void Resizer4ButtonStrategy::setCorner(const unsigned* flags) {
    if (flags != nullptr) std::copy_n(flags, 4, corners);
}

void Resizer4ButtonStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    buttonBufferType = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    noButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON"));
    resizeButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("RESIZE_BUTTON"));
    pressEventType = names->getEventTypeIdentifier("PRESS");
    dragEventType = names->getEventTypeIdentifier("DRAG");
    releaseEventType = names->getEventTypeIdentifier("RELEASE");
    resizeStartEventType = names->getEventTypeIdentifier("RESIZE_START");
    resizeEndEventType = names->getEventTypeIdentifier("RESIZE_END");
    aspectRatio = static_cast<double>(component->width) / static_cast<double>(component->height);
    fillButtonBuffer(obtainButtonGrid(*component));
}

void Resizer4ButtonStrategy::fillButtonBuffer(IBuffer<unsigned char>* buffer) {
    if (buffer == nullptr) return;
    detail::fillCellBlocks(buffer, buttonBlocks(corners, buttonSize, buffer->getActualWidth(), buffer->getActualHeight()),
                           resizeButtonValue);
}

void Resizer4ButtonStrategy::resize(unsigned w, unsigned h) {
    fillButtonBuffer(resizedActiveGrid<unsigned char>(*component, buttonBufferType, w, h));
}

void Resizer4ButtonStrategy::drawForPicking() {
    detail::drawCellBlocksForPicking(*component, buttonBlocks(corners, buttonSize, component->width, component->height));
}

unsigned char Resizer4ButtonStrategy::getButtonValue(unsigned x, unsigned y) {
    unsigned char value = noButtonValue;
    readActiveBufferCell(component, buttonBufferType, x, y, &value);
    return value;
}

void Resizer4ButtonStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    if (event->type == pressEventType) {
        const unsigned x = truncateToUnsigned(event->x), y = truncateToUnsigned(event->y);
        if (resizing || !component->isInside(x, y) || getButtonValue(x, y) != resizeButtonValue) return;
        startResize(*event);
    } else if (event->type == dragEventType) {
        if (resizing && event->userId == userId && detail::hasFinitePoint(*event)) dragResize(event->x, event->y);
    } else if (event->type == releaseEventType ||
               event->type == ConstantProvider::getInstance()->getEventTypeIdentifier("CANCEL")) {
        if (!resizing || event->userId != userId) return;
        component->resizeActiveBuffers();
        announce(resizeEndEventType, *event);
        resizing = false;
    }
}

void Resizer4ButtonStrategy::startResize(const DravikEvent& event) {
    resizing = true;
    userId = event.userId;
    // The resize keeps its contact: no pinch or drag takes it over.
    if (component->manager != nullptr) component->manager->claimContact(this, event);
    announce(resizeStartEventType, event);

    double bx = 0.0, by = 0.0;
    component->convertGlobalToBufferCoords(event.x, event.y, bx, by);
    const double rx = bx - component->width / 2.0, ry = by - component->height / 2.0;
    const double hw = component->width / 2.0, hh = component->height / 2.0;
    // The grabbed corner lies in the pressed quadrant, the anchor opposite it.
    cornerSignX = rx >= 0.0 ? 1.0 : -1.0;
    cornerSignY = ry > 0.0 ? 1.0 : -1.0;
    Point3d grabbed(hw * cornerSignX, hh * cornerSignY, 0.0);
    anchor = Point3d(-grabbed.x, -grabbed.y, 0.0);
    minSizeCentre = anchor + Point3d(asMinimum(minWidth) / 2.0 * cornerSignX, asMinimum(minHeight) / 2.0 * cornerSignY, 0.0);

    component->convertComponentToGlobalCoords(minSizeCentre);
    component->convertComponentToGlobalCoords(anchor);
    component->convertComponentToGlobalCoords(grabbed);
    grabOffset = Point3d(grabbed.x - event.x, grabbed.y - event.y, grabbed.z);
}

void Resizer4ButtonStrategy::dragResize(double x, double y) {
    const Point3d corner = Point3d(x, y, 0.0) + grabOffset;
    Point3d centre = anchor + (corner - anchor) * 0.5;

    Point3d cornerLocal = corner, anchorLocal = anchor;
    component->convertGlobalToComponentCoords(cornerLocal);
    component->convertGlobalToComponentCoords(anchorLocal);
    double w = (cornerLocal.x - anchorLocal.x) * cornerSignX;
    double h = (cornerLocal.y - anchorLocal.y) * cornerSignY;

    const double mw = asMinimum(minWidth), mh = asMinimum(minHeight);
    if (w < mw && h < mh) {
        w = mw;
        h = mh;
        centre = minSizeCentre;
    } else if (w < mw || h < mh) {
        // One side at its minimum, held at the anchor; the other centred between the corners.
        Point3d local = (anchorLocal + cornerLocal) * 0.5;
        if (w < mw) {
            w = mw;
            local.x = anchorLocal.x + mw / 2.0 * cornerSignX;
        } else {
            h = mh;
            local.y = anchorLocal.y + mh / 2.0 * cornerSignY;
        }
        component->convertComponentToGlobalCoords(local);
        centre = local;
    }
    if (keepAspect) w = aspectRatio * h;

    component->width = detail::resizedSide(w, component->width);
    component->height = detail::resizedSide(h, component->height);
    component->position = centre;
}

void Resizer4ButtonStrategy::announce(unsigned type, const DravikEvent& cause) {
    DravikEvent event(type, cause.userId, cause.x, cause.y, 0.0, component, 1);
    if (component->manager != nullptr) component->manager->processEvent(&event, component);
    else component->onEvent(&event);
}

void Resizer4ButtonStrategy::createDisplayList() {
    if (component == nullptr) return;
    listWidth = component->width;
    listHeight = component->height;
    displayList.compile([] {
        glColor3d(0.8, 0.8, 0.8);
        glBegin(GL_LINE_STRIP);
        glVertex2d(20.0, 0.0);
        glVertex2d(0.0, 0.0);
        glVertex2d(0.0, -20.0);
        glEnd();
    });
}
