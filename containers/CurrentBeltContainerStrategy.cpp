#include "containers/CurrentBeltContainerStrategy.h"

#include <algorithm>
#include <cmath>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/IBufferProxy.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {

using Point = Spline::SplinePoint;

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
    IBufferProxy* proxy = component != nullptr ? component->getActiveBufferByType(type) : nullptr;
    IBuffer<double>* grid = proxy != nullptr ? proxy->getBuffer<double>() : nullptr;
    if (grid == nullptr) return;
    if (resize) grid->resize(component->width, component->height, component->width, component->height);
    if (type == sizeBufferType)
        fillSizeBuffer(grid);
    else if (type == orientationBufferType)
        fillOrientationBuffer(grid);
    else if (type == directionBufferType)
        fillDirectionBuffer(grid);
}

std::vector<Spline::SplinePoint> CurrentBeltContainerStrategy::toGridPoints(Spline& spline, const IBufferBase& grid) {
    const double hw = static_cast<double>(grid.getActualWidth() >> 1);
    const double hh = static_cast<double>(grid.getActualHeight() >> 1);
    std::vector<Point> points(*spline.getSplinePoints());
    for (Point& p : points) {
        p.x += hw;
        p.y += hh;
    }
    return points;
}

CurrentBeltContainerStrategy::Quad CurrentBeltContainerStrategy::makeQuad(IBuffer<double>* grid, unsigned kind,
                                                                        const Corner (&corners)[4]) {
    Quad quad;
    quad.grid = grid;
    quad.kind = kind;
    for (int k = 0; k < 4; ++k) {
        quad.corners[k].x = static_cast<unsigned>(truncateToInt(corners[k].x));
        quad.corners[k].y = static_cast<unsigned>(truncateToInt(corners[k].y));
        quad.corners[k].values[0] = corners[k].values[0];
        quad.corners[k].values[1] = corners[k].values[1];
    }
    return quad;
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

void CurrentBeltContainerStrategy::fillSizeBuffer(IBuffer<double>* grid) {
    if (grid == nullptr) return;
    if (outerSpline.getSplinePoints()->empty() || innerSpline.getSplinePoints()->empty()) return clear(grid);
    const std::vector<Point> O = toGridPoints(outerSpline, *grid), I = toGridPoints(innerSpline, *grid);
    const std::size_t n = std::min(O.size(), I.size());
    std::vector<double> w(n);
    for (std::size_t i = 0; i < n; ++i) w[i] = std::hypot(I[i].x - O[i].x, I[i].y - O[i].y) * sizeFactor;
    std::vector<Quad> built;
    built.reserve(n);
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t p = k - 1, i = k % n;
        built.push_back(makeQuad(grid, 1,
                                 {{O[p].x, O[p].y, {w[p], 0.0}},
                                  {O[i].x, O[i].y, {w[i], 0.0}},
                                  {I[i].x, I[i].y, {w[i], 0.0}},
                                  {I[p].x, I[p].y, {w[p], 0.0}}}));
    }
    fillQuads(grid, built);
}

void CurrentBeltContainerStrategy::fillOrientationBuffer(IBuffer<double>* grid) {
    if (grid == nullptr) return;
    if (!hasAllSplinePoints()) return clear(grid);
    const std::vector<Point> O = toGridPoints(outerSpline, *grid), B = toGridPoints(outerBorderSpline, *grid);
    const std::vector<Point> I = toGridPoints(innerSpline, *grid), IB = toGridPoints(innerBorderSpline, *grid);
    const std::vector<Point>& ON = *outerSpline.getSplinePointNormals();
    const std::vector<Point>& IN = *innerSpline.getSplinePointNormals();
    const std::size_t n = std::min({O.size(), B.size(), I.size(), IB.size(), ON.size(), IN.size()});
    std::vector<Quad> built;
    built.reserve(3 * n);
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t p = k - 1, i = k % n;
        built.push_back(makeQuad(grid, 2,
                                 {{I[p].x, I[p].y, {IN[p].x, IN[p].y}},
                                  {I[i].x, I[i].y, {IN[i].x, IN[i].y}},
                                  {IB[i].x, IB[i].y, {IN[i].x, IN[i].y}},
                                  {IB[p].x, IB[p].y, {IN[p].x, IN[p].y}}}));
        built.push_back(makeQuad(grid, 2,
                                 {{O[p].x, O[p].y, {ON[p].x, ON[p].y}},
                                  {O[i].x, O[i].y, {ON[i].x, ON[i].y}},
                                  {I[i].x, I[i].y, {IN[i].x, IN[i].y}},
                                  {I[p].x, I[p].y, {IN[p].x, IN[p].y}}}));
        built.push_back(makeQuad(grid, 2,
                                 {{B[p].x, B[p].y, {ON[p].x, ON[p].y}},
                                  {B[i].x, B[i].y, {ON[i].x, ON[i].y}},
                                  {O[i].x, O[i].y, {ON[i].x, ON[i].y}},
                                  {O[p].x, O[p].y, {ON[p].x, ON[p].y}}}));
    }
    fillQuads(grid, built);
}

void CurrentBeltContainerStrategy::fillDirectionBuffer(IBuffer<double>* grid) {
    if (grid == nullptr) return;
    if (!hasAllSplinePoints()) return clear(grid);
    const std::vector<Point> O = toGridPoints(outerSpline, *grid), B = toGridPoints(outerBorderSpline, *grid);
    const std::vector<Point> I = toGridPoints(innerSpline, *grid), IB = toGridPoints(innerBorderSpline, *grid);
    const std::vector<Point>& ON = *outerSpline.getSplinePointNormals();
    const std::vector<Point>& IN = *innerSpline.getSplinePointNormals();
    const std::size_t n = std::min({O.size(), B.size(), I.size(), IB.size(), ON.size(), IN.size()});
    // Per point: the middle of the belt, the push inward at the outer edge and at the inner
    // edge, and the flow along the belt (the outer outline's direction of travel).
    std::vector<Point> M(n), o(n), q(n), m(n);
    for (std::size_t i = 0; i < n; ++i) {
        M[i] = midpoint(O[i], I[i]);
        o[i] = {edgeSpeed * ON[i].x, edgeSpeed * ON[i].y};
        q[i] = {-edgeSpeed * IN[i].x, -edgeSpeed * IN[i].y};
        m[i] = {flowSpeed * ON[i].y, flowSpeed * -ON[i].x};
    }
    std::vector<Quad> built;
    built.reserve(4 * n);
    for (std::size_t k = 1; k <= n; ++k) {
        const std::size_t p = k - 1, i = k % n;
        built.push_back(makeQuad(grid, 2,
                                 {{I[p].x, I[p].y, {q[p].x, q[p].y}},
                                  {I[i].x, I[i].y, {q[i].x, q[i].y}},
                                  {IB[i].x, IB[i].y, {q[i].x, q[i].y}},
                                  {IB[p].x, IB[p].y, {q[p].x, q[p].y}}}));
        built.push_back(makeQuad(grid, 2,
                                 {{M[p].x, M[p].y, {m[p].x, m[p].y}},
                                  {M[i].x, M[i].y, {m[i].x, m[i].y}},
                                  {I[i].x, I[i].y, {q[i].x, q[i].y}},
                                  {I[p].x, I[p].y, {q[p].x, q[p].y}}}));
        built.push_back(makeQuad(grid, 2,
                                 {{O[p].x, O[p].y, {o[p].x, o[p].y}},
                                  {O[i].x, O[i].y, {o[i].x, o[i].y}},
                                  {M[i].x, M[i].y, {m[i].x, m[i].y}},
                                  {M[p].x, M[p].y, {m[p].x, m[p].y}}}));
        built.push_back(makeQuad(grid, 2,
                                 {{B[p].x, B[p].y, {o[p].x, o[p].y}},
                                  {B[i].x, B[i].y, {o[i].x, o[i].y}},
                                  {O[i].x, O[i].y, {o[i].x, o[i].y}},
                                  {O[p].x, O[p].y, {o[p].x, o[p].y}}}));
    }
    fillQuads(grid, built);
}

void CurrentBeltContainerStrategy::pressOnBelt(const DravikEvent& event) {
    const unsigned x = truncateToUnsigned(event.x), y = truncateToUnsigned(event.y);
    if (!component->isInside(x, y) || getButtonValue(x, y) != rntAreaValue) return;
    flowChangeActive = true;
    flowPressX = event.x;
    flowPressY = event.y;
    // The belt's orientation under the press tells which way along it the swipe runs.
    IBufferProxy* proxy = component->getActiveBufferByType(orientationBufferType);
    IBuffer<double>* grid = proxy != nullptr ? proxy->getBuffer<double>() : nullptr;
    if (grid == nullptr || grid->valuesPerCell < 2) return;
    double bx = 0.0, by = 0.0;
    component->convertGlobalToBufferCoords(x, y, bx, by);
    if (!(bx >= 0.0 && bx <= grid->width - 1.0 && by >= 0.0 && by <= grid->height - 1.0)) return;
    const double* cell = grid->data + (std::size_t(by) * grid->width + std::size_t(bx)) * grid->valuesPerCell;
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
