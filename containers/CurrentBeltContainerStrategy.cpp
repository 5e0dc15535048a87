#include "containers/CurrentBeltContainerStrategy.h"

#include <algorithm>
#include <cmath>

#include "containers/detail/ClosedBand.h"
#include "framework/ActiveGrids.h"
#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/IBufferProxy.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {

using Point = Spline::SplinePoint;

std::vector<Point> firstPoints(const std::vector<Point>& points, std::size_t n) {
    return std::vector<Point>(points.begin(), points.begin() + std::min(n, points.size()));
}

Point midpoint(const Point& a, const Point& b) { return {(a.x + b.x) * 0.5, (a.y + b.y) * 0.5}; }

}  // namespace

CurrentBeltContainerStrategy::CurrentBeltContainerStrategy(double beltWidth) : BeltContainerStrategy(beltWidth, 4, 4) {
    translationAreaValue = lookUpButtonValue("TRANSLATION_AREA");
    rntAreaValue = lookUpButtonValue("RNT_AREA");
}

void CurrentBeltContainerStrategy::setFlowSpeed(double speed) {
    if (isFiniteValue(speed)) flowSpeed = speed;
}

void CurrentBeltContainerStrategy::initProperties() {
    BeltContainerStrategy::initProperties();
    ConstantProvider* names = ConstantProvider::getInstance();
    sizeBufferType = names->getBufferTypeIdentifier("SIZE_BUFFER");
    orientationBufferType = names->getBufferTypeIdentifier("ORIENTATION_BUFFER");
    directionBufferType = names->getBufferTypeIdentifier("DIRECTION_BUFFER");
    for (unsigned type : {sizeBufferType, orientationBufferType, directionBufferType}) {
        auto* proxy = new IBufferProxy(type);
        const unsigned valuesPerCell = type == sizeBufferType ? 1 : 2;
        proxy->buffer = new IBuffer<double>(type, valuesPerCell, component->width, component->height,
                                            component->width, component->height);
        component->addActiveBuffer(proxy);
        updateBuffer(type, false);
    }
}

void CurrentBeltContainerStrategy::resize(unsigned w, unsigned h) {
    BeltContainerStrategy::resize(w, h);
    for (unsigned type : {sizeBufferType, orientationBufferType, directionBufferType}) updateBuffer(type, true);
}

void CurrentBeltContainerStrategy::updateBuffer(unsigned type, bool resize) {
    IBuffer<double>* grid = activeGrid<double>(component, type);
    if (grid == nullptr) return;
    if (resize) grid->resize(component->width, component->height, component->width, component->height);
    if (type == sizeBufferType)
        fillSizeBuffer(grid);
    else if (type == orientationBufferType)
        fillOrientationBuffer(grid);
    else if (type == directionBufferType)
        fillDirectionBuffer(grid);
}

CurrentBeltContainerStrategy::Coverage& CurrentBeltContainerStrategy::coverageOf(const IBufferBase* grid) {
    for (Coverage& c : coverages)
        if (c.grid == grid) return c;
    coverages.push_back(Coverage{grid, 0, 0, {}});
    return coverages.back();
}

void CurrentBeltContainerStrategy::clear(IBuffer<double>* grid) {
    grid->fill(0.0);
    Coverage& covered = coverageOf(grid);
    covered.width = grid->width;
    covered.height = grid->height;
    covered.corners.clear();
}

void CurrentBeltContainerStrategy::fillQuads(IBuffer<double>* grid, const std::vector<Quad>& built) {
    std::vector<unsigned> corners;
    corners.reserve(built.size() * 8);
    for (const Quad& q : built)
        for (const auto& c : q.corners) corners.insert(corners.end(), {c.x, c.y});
    Coverage& covered = coverageOf(grid);
    const bool sameCells = covered.width == grid->width && covered.height == grid->height && covered.corners == corners;
    covered.width = grid->width;
    covered.height = grid->height;
    covered.corners = std::move(corners);

    // Quad k goes to position k / 2 when even and half + k / 2 when odd, so that neighbours
    // are filled by different threads; an odd count leaves the last slot out. The threads
    // clear the grid first, each its own band, unless the cells are those of the last fill.
    const std::size_t half = (built.size() + 1) / 2;
    std::vector<Quad> list(2 * half);
    for (std::size_t k = 0; k < built.size(); ++k) list[k % 2 == 0 ? k / 2 : half + k / 2] = built[k];
    BufferFillingHelper::multithreadFill(list.data(), 2, static_cast<unsigned>(half),
                                         static_cast<unsigned>(built.size() % 2), sameCells ? nullptr : grid);
}

CurrentBeltContainerStrategy::Outlines CurrentBeltContainerStrategy::outlinesOn(const IBufferBase& grid) {
    const std::size_t n = std::min({bandPointCount(), outerSpline.getSplinePointNormals()->size(),
                                    innerSpline.getSplinePointNormals()->size()});
    return Outlines{toGridPoints(outerSpline, grid, n),
                    toGridPoints(outerBorderSpline, grid, n),
                    toGridPoints(innerSpline, grid, n),
                    toGridPoints(innerBorderSpline, grid, n),
                    firstPoints(*outerSpline.getSplinePointNormals(), n),
                    firstPoints(*innerSpline.getSplinePointNormals(), n),
                    n};
}

void CurrentBeltContainerStrategy::addBand(std::vector<Quad>& built, IBuffer<double>* grid, unsigned kind,
                                           const std::vector<Point>& a, const std::vector<Point>& aValues,
                                           const std::vector<Point>& b, const std::vector<Point>& bValues) {
    detail::forEachClosedSegment(std::min(a.size(), b.size()), [&](std::size_t p, std::size_t i) {
        Quad quad;
        quad.grid = grid;
        quad.kind = kind;
        const Point* corners[4] = {&a[p], &a[i], &b[i], &b[p]};
        const Point* values[4] = {&aValues[p], &aValues[i], &bValues[i], &bValues[p]};
        for (int c = 0; c < 4; ++c) {
            quad.corners[c].x = static_cast<unsigned>(truncateToInt(corners[c]->x));
            quad.corners[c].y = static_cast<unsigned>(truncateToInt(corners[c]->y));
            quad.corners[c].values[0] = values[c]->x;
            quad.corners[c].values[1] = values[c]->y;
        }
        built.push_back(quad);
    });
}

void CurrentBeltContainerStrategy::fillSizeBuffer(IBuffer<double>* grid) {
    if (grid == nullptr) return;
    const std::size_t n = sharedPointCount({&outerSpline, &innerSpline});
    if (n == 0) return clear(grid);
    const std::vector<Point> outer = toGridPoints(outerSpline, *grid, n), inner = toGridPoints(innerSpline, *grid, n);
    std::vector<Point> width(n);  // one value per cell: x only
    for (std::size_t i = 0; i < width.size(); ++i)
        width[i].x = std::hypot(inner[i].x - outer[i].x, inner[i].y - outer[i].y) * sizeFactor;
    std::vector<Quad> built;
    addBand(built, grid, 1, outer, width, inner, width);
    fillQuads(grid, built);
}

void CurrentBeltContainerStrategy::fillOrientationBuffer(IBuffer<double>* grid) {
    if (grid == nullptr) return;
    const Outlines o = outlinesOn(*grid);
    if (o.n == 0) return clear(grid);
    std::vector<Quad> built;
    addBand(built, grid, 2, o.inner, o.innerNormals, o.innerBorder, o.innerNormals);  // inner ring
    addBand(built, grid, 2, o.outer, o.outerNormals, o.inner, o.innerNormals);        // belt
    addBand(built, grid, 2, o.outerBorder, o.outerNormals, o.outer, o.outerNormals);  // outer ring
    fillQuads(grid, interleaved(built, 3));
}

void CurrentBeltContainerStrategy::fillDirectionBuffer(IBuffer<double>* grid) {
    if (grid == nullptr) return;
    const Outlines o = outlinesOn(*grid);
    if (o.n == 0) return clear(grid);
    // Per point: the middle of the belt, the push inward at the outer edge and at the inner
    // edge, and the flow along the belt (the outer outline's direction of travel).
    std::vector<Point> middle(o.n), push(o.n), innerPush(o.n), flow(o.n);
    for (std::size_t i = 0; i < o.n; ++i) {
        const Point& on = o.outerNormals[i];
        middle[i] = midpoint(o.outer[i], o.inner[i]);
        push[i] = {edgeSpeed * on.x, edgeSpeed * on.y};
        innerPush[i] = {-edgeSpeed * o.innerNormals[i].x, -edgeSpeed * o.innerNormals[i].y};
        flow[i] = {flowSpeed * on.y, flowSpeed * -on.x};
    }
    std::vector<Quad> built;
    addBand(built, grid, 2, o.inner, innerPush, o.innerBorder, innerPush);  // inner ring
    addBand(built, grid, 2, middle, flow, o.inner, innerPush);              // inner half of the belt
    addBand(built, grid, 2, o.outer, push, middle, flow);                   // outer half
    addBand(built, grid, 2, o.outerBorder, push, o.outer, push);            // outer ring
    fillQuads(grid, interleaved(built, 4));
}

std::vector<CurrentBeltContainerStrategy::Quad> CurrentBeltContainerStrategy::interleaved(const std::vector<Quad>& bands,
                                                                                         std::size_t count) {
    // The bands were added one after the other; the quads go segment by segment, the
    // bands' quads of each segment in band order.
    const std::size_t n = bands.size() / count;
    std::vector<Quad> bySegment;
    bySegment.reserve(bands.size());
    for (std::size_t segment = 0; segment < n; ++segment)
        for (std::size_t band = 0; band < count; ++band) bySegment.push_back(bands[band * n + segment]);
    return bySegment;
}

void CurrentBeltContainerStrategy::pressOnBelt(const DravikEvent& event) {
    const unsigned x = truncateToUnsigned(event.x), y = truncateToUnsigned(event.y);
    if (!component->isInside(x, y) || getButtonValue(x, y) != rntAreaValue) return;
    flowChangeActive = true;
    flowPressX = event.x;
    flowPressY = event.y;
    // The belt's orientation under the press tells which way along it the swipe runs.
    IBuffer<double>* grid = activeGrid<double>(component, orientationBufferType);
    unsigned column = 0, row = 0;
    if (grid == nullptr || grid->valuesPerCell < 2 || !locateBufferCell(*component, *grid, x, y, column, row)) return;
    const double* cell = grid->data + (std::size_t(row) * grid->width + column) * grid->valuesPerCell;
    flowNormal[0] = cell[0];
    flowNormal[1] = cell[1];
}

void CurrentBeltContainerStrategy::releaseSwipe(const DravikEvent& event) {
    if (flowChangeActive && isFiniteValue(event.x) && isFiniteValue(event.y)) {
        const double dx = event.x - flowPressX, dy = event.y - flowPressY;
        const double d = std::sqrt(dx * dx + dy * dy);
        double speed = 0.0;
        if (!(d < minFlowChangeDistance)) {
            const double v = std::min(d, maxFlowChangeDistance);
            // The swipe's component along the belt's direction at the press.
            const double along = -flowNormal[0] * dy + flowNormal[1] * dx;
            speed = along > 0.0 ? v / 20.0 : v / -20.0;
        }
        setFlowSpeed(speed);
    }
    if (selectedControlPoint >= 0) {
        for (unsigned type : {sizeBufferType, orientationBufferType, directionBufferType}) updateBuffer(type, true);
    } else if (flowChangeActive) {
        updateBuffer(directionBufferType, false);
    }
    flowChangeActive = false;
}

void CurrentBeltContainerStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || component == nullptr) return;
    ConstantProvider* names = ConstantProvider::getInstance();
    if (event->type == names->getEventTypeIdentifier("PRESS")) {
        if (isFiniteValue(event->x) && isFiniteValue(event->y)) pressOnBelt(*event);
    } else if (event->type == names->getEventTypeIdentifier("RELEASE")) {
        releaseSwipe(*event);
    }
    BeltContainerStrategy::onEvent(event);
}
