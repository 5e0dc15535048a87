#ifndef DRAVIK_FRAMEWORK_DETAIL_PICKINGINDEX_H
#define DRAVIK_FRAMEWORK_DETAIL_PICKINGINDEX_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/VisComponentStrategy.h"

class VisComponent;

namespace detail {

// Where each component may draw when it is picked, kept in a uniform grid of buckets over the
// display, so that finding the components that may cover a pixel costs about the number of
// components near the pixel, not the number in the scene.
//
// A component's box is the window-space axis-aligned box round its picking bounds
// (VisComponent::getPickingBounds) widened as mayCover widens them, turned and scaled, plus a
// pixel against rounding: every point that mayCover accepts lies in the box. Buckets are
// kCellSize pixels square over the area given to setArea; boxes reaching beyond the area sit
// in its border buckets, so that points anywhere are answered. A component whose geometry is
// not finite may draw anywhere: every query returns it.
//
// The index does not watch the components: refresh says that one may have changed. It keeps
// what the box was made from (position, angle, scale, size, picking bounds) and makes the box
// again, and moves it between buckets, only when that changed. A bucket is a list of slots;
// the boxes live in one array beside them, so that a query reads little memory.
class PickingIndex {
public:
    static constexpr std::size_t NoSlot = static_cast<std::size_t>(-1);
    // Small enough that a bucket of a crowded scene holds few components that miss the pixel,
    // large enough that a component spans few buckets (the bounds cover a ~10 cm object of a
    // typical table in 2 x 2 to 3 x 3 buckets).
    static constexpr double kCellSize = 32.0;

    // False only when the component's picking drawing certainly misses the point (a pixel
    // centre): the point lies outside its picking bounds widened by one unit of its own
    // coordinates (shapes drawn over [-w/2, w/2] stick out of the grid rectangle by half of
    // one) and one display pixel (rasterisation, lines). NaN and infinite geometry may
    // cover every point.
    static bool mayCover(const VisComponent& component, double x, double y);

    // Takes the component in and returns its slot; slots of removed components are reused.
    std::size_t add(VisComponent* component);
    void remove(std::size_t slot);
    void refresh(std::size_t slot);
    void refreshAll();
    // Buckets for a display of width x height pixels; every box is made again.
    void setArea(unsigned width, unsigned height);
    // Appends the components whose boxes hold the point, each once, in no particular order.
    void collect(double x, double y, std::vector<VisComponent*>& out) const;

private:
    struct Shape {  // what a box is made from
        double x, y, angle, scaleX, scaleY;
        unsigned width, height;
        LocalBounds bounds;
        bool operator==(const Shape& o) const;
    };
    struct Box {
        double left, bottom, right, top;
    };
    struct Entry {
        VisComponent* component = nullptr;  // null: a free slot
        Shape shape{};
        bool anywhere = false;               // not finite: in `everywhere`, in no bucket
        unsigned col0 = 0, row0 = 0, col1 = 0, row1 = 0;  // the buckets it lies in
    };

    static Shape shapeOf(const VisComponent& component);
    void make(std::size_t slot);  // box and buckets from the entry's shape
    void place(std::size_t slot);
    void unplace(std::size_t slot);
    unsigned column(double x) const;
    unsigned row(double y) const;

    std::vector<Entry> entries;
    std::vector<Box> boxes;  // by slot
    std::vector<std::size_t> freeSlots;
    std::vector<std::vector<std::uint32_t>> buckets = std::vector<std::vector<std::uint32_t>>(1);  // row by row
    std::vector<std::uint32_t> everywhere;
    unsigned columns = 1, rows = 1;
};

}  // namespace detail

#endif
