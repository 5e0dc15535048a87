#include "framework/detail/PickingIndex.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/VisComponent.h"

namespace detail {

namespace {

LocalBounds widen(const LocalBounds& b, double scaleX, double scaleY) {
    const double slackX = 1.0 + 1.0 / std::abs(scaleX), slackY = 1.0 + 1.0 / std::abs(scaleY);
    return {b.left - slackX, b.bottom - slackY, b.right + slackX, b.top + slackY};
}

void eraseOne(std::vector<std::uint32_t>& list, std::uint32_t value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end()) return;
    *it = list.back();
    list.pop_back();
}

}  // namespace

bool PickingIndex::mayCover(const VisComponent& c, double x, double y) {
    const LocalBounds b = widen(c.getPickingBounds(), c.scale.x, c.scale.y);
    const double sx = std::abs(c.scale.x), sy = std::abs(c.scale.y);
    const double dx = x - c.position.x, dy = y - c.position.y;

    // Outside the circle round the bounds: no need for the angle.
    const double reachX = std::max(-b.left, b.right), reachY = std::max(-b.bottom, b.top);
    const double reach2 = (reachX * reachX + reachY * reachY) * std::max(sx * sx, sy * sy);
    if (dx * dx + dy * dy > reach2) return false;

    Point3d local(x, y, c.position.z);
    c.convertGlobalToComponentCoords(local);
    return !(local.x < b.left || local.x > b.right || local.y < b.bottom || local.y > b.top);
}

bool PickingIndex::Shape::operator==(const Shape& o) const {
    return x == o.x && y == o.y && angle == o.angle && scaleX == o.scaleX && scaleY == o.scaleY &&
           width == o.width && height == o.height && bounds.left == o.bounds.left &&
           bounds.bottom == o.bounds.bottom && bounds.right == o.bounds.right && bounds.top == o.bounds.top;
}

PickingIndex::Shape PickingIndex::shapeOf(const VisComponent& c) {
    return {c.position.x, c.position.y, c.angle, c.scale.x, c.scale.y, c.width, c.height, c.getPickingBounds()};
}

std::size_t PickingIndex::add(VisComponent* component) {
    std::size_t slot = entries.size();
    if (!freeSlots.empty()) {
        slot = freeSlots.back();
        freeSlots.pop_back();
    } else {
        entries.emplace_back();
        boxes.emplace_back();
    }
    entries[slot].component = component;
    entries[slot].shape = shapeOf(*component);
    make(slot);
    place(slot);
    return slot;
}

void PickingIndex::remove(std::size_t slot) {
    unplace(slot);
    entries[slot].component = nullptr;
    freeSlots.push_back(slot);
}

void PickingIndex::refresh(std::size_t slot) {
    Entry& e = entries[slot];
    const Shape now = shapeOf(*e.component);
    if (now == e.shape) return;
    const Entry before = e;
    e.shape = now;
    make(slot);
    if (e.anywhere == before.anywhere && e.col0 == before.col0 && e.row0 == before.row0 && e.col1 == before.col1 &&
        e.row1 == before.row1)
        return;  // the same buckets: the new box is all
    const Entry after = e;
    e = before;
    unplace(slot);
    e = after;
    place(slot);
}

void PickingIndex::refreshAll() {
    for (std::size_t slot = 0; slot < entries.size(); ++slot)
        if (entries[slot].component != nullptr) refresh(slot);
}

void PickingIndex::setArea(unsigned width, unsigned height) {
    columns = std::max(1u, static_cast<unsigned>(std::ceil(width / kCellSize)));
    rows = std::max(1u, static_cast<unsigned>(std::ceil(height / kCellSize)));
    buckets.assign(static_cast<std::size_t>(columns) * rows, {});
    everywhere.clear();
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        if (entries[slot].component == nullptr) continue;
        entries[slot].shape = shapeOf(*entries[slot].component);
        make(slot);
        place(slot);
    }
}

unsigned PickingIndex::column(double x) const {
    return static_cast<unsigned>(std::clamp(std::floor(x / kCellSize), 0.0, columns - 1.0));
}

unsigned PickingIndex::row(double y) const {
    return static_cast<unsigned>(std::clamp(std::floor(y / kCellSize), 0.0, rows - 1.0));
}

void PickingIndex::make(std::size_t slot) {
    Entry& e = entries[slot];
    const Shape& s = e.shape;
    const LocalBounds b = widen(s.bounds, s.scaleX, s.scaleY);
    const double cs = std::cos(s.angle), sn = std::sin(s.angle);
    constexpr double inf = std::numeric_limits<double>::infinity();
    Box box{inf, inf, -inf, -inf};
    for (double lx : {b.left, b.right}) {
        for (double ly : {b.bottom, b.top}) {
            const double sx = lx * s.scaleX, sy = ly * s.scaleY;
            const double gx = s.x + cs * sx - sn * sy, gy = s.y + sn * sx + cs * sy;
            box = {std::min(box.left, gx), std::min(box.bottom, gy), std::max(box.right, gx), std::max(box.top, gy)};
        }
    }
    box = {box.left - 1.0, box.bottom - 1.0, box.right + 1.0, box.top + 1.0};
    boxes[slot] = box;
    // NaN anywhere leaves an infinite or inverted box behind (comparisons with NaN fail).
    e.anywhere = !(std::isfinite(box.left) && std::isfinite(box.bottom) && std::isfinite(box.right) &&
                   std::isfinite(box.top) && box.left <= box.right && box.bottom <= box.top);
    if (e.anywhere) return;
    e.col0 = column(box.left);
    e.col1 = column(box.right);
    e.row0 = row(box.bottom);
    e.row1 = row(box.top);
}

void PickingIndex::place(std::size_t slot) {
    const Entry& e = entries[slot];
    const auto value = static_cast<std::uint32_t>(slot);
    if (e.anywhere) {
        everywhere.push_back(value);
        return;
    }
    for (unsigned r = e.row0; r <= e.row1; ++r)
        for (unsigned col = e.col0; col <= e.col1; ++col) buckets[static_cast<std::size_t>(r) * columns + col].push_back(value);
}

void PickingIndex::unplace(std::size_t slot) {
    const Entry& e = entries[slot];
    const auto value = static_cast<std::uint32_t>(slot);
    if (e.anywhere) {
        eraseOne(everywhere, value);
        return;
    }
    for (unsigned r = e.row0; r <= e.row1; ++r)
        for (unsigned col = e.col0; col <= e.col1; ++col) eraseOne(buckets[static_cast<std::size_t>(r) * columns + col], value);
}

void PickingIndex::collect(double x, double y, std::vector<VisComponent*>& out) const {
    for (std::uint32_t slot : everywhere) out.push_back(entries[slot].component);
    for (std::uint32_t slot : buckets[static_cast<std::size_t>(row(y)) * columns + column(x)]) {
        const Box& b = boxes[slot];
        if (x >= b.left && x <= b.right && y >= b.bottom && y <= b.top) out.push_back(entries[slot].component);
    }
}

}  // namespace detail
