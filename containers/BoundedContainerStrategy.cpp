#include "containers/BoundedContainerStrategy.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "containers/detail/ClosedBand.h"
#include "framework/ActiveGrids.h"
#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/IBufferProxy.h"
#include "framework/RandomNumber.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMarkStep = 2.0943951023931953;  // 2 pi / 3

// Single-precision constants widened to double.
constexpr float kColor[4] = {0.16f, 0.12f, 0.24f, 0.7f};
constexpr float kBorderColor[4] = {0.2f, 0.5f, 0.9f, 0.7f};
constexpr float kSelectedColor[4] = {0.9f, 0.5f, 0.2f, 0.7f};

void copyColor(const float* from, double* to) { std::copy(from, from + 4, to); }

}  // namespace

BoundedContainerStrategy::BoundedContainerStrategy() {
    copyColor(kColor, color);
    copyColor(kBorderColor, borderColor);
    copyColor(kSelectedColor, selectedColor);
}

BoundedContainerStrategy::BoundedContainerStrategy(unsigned numControlPoints, unsigned splineLevels)
    : BoundedContainerStrategy() {
    setNumControlPoints(numControlPoints);
    setSplineLevels(splineLevels);
}

BoundedContainerStrategy::BoundedContainerStrategy(const BoundedContainerStrategy& other)
    : VisComponentStrategy(other) {
    *this = other;
}

BoundedContainerStrategy& BoundedContainerStrategy::operator=(const BoundedContainerStrategy& other) {
    if (this == &other) return *this;
    VisComponentStrategy::operator=(other);
    outerSpline = other.outerSpline;
    outerBorderSpline = other.outerBorderSpline;
    std::copy(other.color, other.color + 4, color);
    std::copy(other.borderColor, other.borderColor + 4, borderColor);
    std::copy(other.selectedColor, other.selectedColor + 4, selectedColor);
    borderWidth = other.borderWidth;
    numControlPoints = other.numControlPoints;
    splineLevels = other.splineLevels;
    selectedControlPoint = other.selectedControlPoint;
    highlighted = other.highlighted;
    lastX = other.lastX;
    lastY = other.lastY;
    initializeShape = other.initializeShape;
    updateChildren = other.updateChildren;
    displayControlPoints = other.displayControlPoints;
    maskBufferType = other.maskBufferType;
    buttonBufferType = other.buttonBufferType;
    noButtonValue = other.noButtonValue;
    translationAreaValue = other.translationAreaValue;
    rntAreaValue = other.rntAreaValue;
    cpButtonValues = other.cpButtonValues;
    return *this;
}

BoundedContainerStrategy::~BoundedContainerStrategy() = default;

void BoundedContainerStrategy::setColor(const double* rgba) {
    if (rgba != nullptr) std::copy(rgba, rgba + 4, color);
}
void BoundedContainerStrategy::setBorderColor(const double* rgba) {
    if (rgba != nullptr) std::copy(rgba, rgba + 4, borderColor);
}
void BoundedContainerStrategy::setSelectedColor(const double* rgba) {
    if (rgba != nullptr) std::copy(rgba, rgba + 4, selectedColor);
}
void BoundedContainerStrategy::setBorderWidth(double width) {
    if (isFiniteValue(width)) borderWidth = std::clamp(width, 0.0, kMaxBorderWidth);
}
void BoundedContainerStrategy::setNumControlPoints(unsigned count) { numControlPoints = std::min(count, kMaxControlPoints); }
void BoundedContainerStrategy::setSplineLevels(unsigned levels) { splineLevels = std::min(levels, kMaxSplineLevels); }

unsigned char BoundedContainerStrategy::lookUpButtonValue(const std::string& name) {
    return static_cast<unsigned char>(ConstantProvider::getInstance()->getButtonBufferValue(name));
}

void BoundedContainerStrategy::initProperties() {
    if (initializeShape) {
        setDefaultBounds(true);
        adjustSizeAndPosition();
        initializeCPButtonValues();
        createDisplayLists();
    }
    ConstantProvider* names = ConstantProvider::getInstance();
    buttonBufferType = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    noButtonValue = lookUpButtonValue("NO_BUTTON");
    translationAreaValue = lookUpButtonValue("TRANSLATION_AREA");
    rntAreaValue = lookUpButtonValue("RNT_AREA");

    const unsigned m = truncateToUnsigned(2.0 * borderWidth + 0.5);
    maskBufferType = names->getBufferTypeIdentifier("MASK_BUFFER");
    maskBuffer = std::make_unique<IBuffer<bool>>(maskBufferType, 1, m, m, m, m);
    fillMaskBuffer();

    fillButtonBuffer(obtainButtonGrid(*component));  // the grid another strategy made, if any
}

void BoundedContainerStrategy::defaultHalfExtent(double& hw, double& hh) const {
    hw = std::min(static_cast<double>(component->width >> 1), kMaxReach);
    hh = std::min(static_cast<double>(component->height >> 1), kMaxReach);
}

Spline::SplinePoint BoundedContainerStrategy::defaultShapePoint(unsigned i, bool ellipse, double hw, double hh,
                                                                double inset) const {
    const double a = kPi / 4.0 + i * 2.0 * kPi / numControlPoints;
    const double c = std::cos(a), s = std::sin(a);
    double fx = 1.0, fy = 1.0;
    if (!ellipse) {  // stretched out to the rectangle's edge
        if (std::fabs(c) < 0.001) {
            fy = std::fabs(1.0 / s);
        } else if (std::fabs(s) < 0.001) {
            fx = std::fabs(1.0 / c);
        } else {
            fx = fy = std::min(std::fabs(1.0 / c), std::fabs(1.0 / s));
        }
    }
    return {(hw - inset) * fx * c, (hh - inset) * fy * s};
}

void BoundedContainerStrategy::setDefaultBounds(bool ellipse) {
    if (component == nullptr) return;
    double hw, hh;
    defaultHalfExtent(hw, hh);
    outerSpline.setLevel(splineLevels);
    outerBorderSpline.setLevel(splineLevels);
    for (unsigned i = 0; i < numControlPoints; ++i) {
        const Spline::SplinePoint p = defaultShapePoint(i, ellipse, hw, hh, borderWidth);
        outerSpline.addControlPoint(p.x, p.y);
        outerBorderSpline.addControlPoint(p.x, p.y);
    }
    evaluateSplines();
}

void BoundedContainerStrategy::evaluateSplines() {
    outerSpline.evaluate();
    calculateOuterBorder();
    outerBorderSpline.evaluate();
}

void BoundedContainerStrategy::offsetSpline(Spline& from, Spline& to, double distance) {
    const std::vector<Spline::SplinePoint>& points = *from.getControlPoints();
    const std::vector<Spline::SplinePoint>& normals = *from.getControlPointNormals();
    const bool inPlace = to.getNumControlPoints() == points.size();
    if (!inPlace) {
        to.clearControlPoints();
        to.setLevel(from.getLevel());
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        // One control point has no normal: it stays where it is.
        const Spline::SplinePoint n = i < normals.size() ? normals[i] : Spline::SplinePoint();
        const double x = points[i].x + distance * n.x, y = points[i].y + distance * n.y;
        if (inPlace)
            to.modifyControlPoint(static_cast<unsigned>(i), x, y);
        else
            to.addControlPoint(x, y);
    }
}

void BoundedContainerStrategy::calculateOuterBorder() { offsetSpline(outerSpline, outerBorderSpline, -borderWidth); }

void BoundedContainerStrategy::adjustSizeAndPosition() {
    if (component == nullptr || outerSpline.getSplinePoints()->empty() || outerBorderSpline.getSplinePoints()->empty())
        return;
    fitComponentTo({&outerSpline, &outerBorderSpline}, 2);
}

void BoundedContainerStrategy::fitComponentTo(std::initializer_list<Spline*> splines,
                                              std::size_t controlPointSplines) {
    const Spline::SplinePoint start = (*splines.begin())->getSplinePoints()->front();
    double minX = start.x, maxX = start.x, minY = start.y, maxY = start.y;
    auto extend = [&](const std::vector<Spline::SplinePoint>& points) {
        for (const Spline::SplinePoint& p : points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    };
    std::size_t index = 0;
    for (Spline* spline : splines) {
        extend(*spline->getSplinePoints());
        if (index++ < controlPointSplines) extend(*spline->getControlPoints());
    }
    const double bw = borderWidth;
    minX -= bw;
    minY -= bw;
    const double cx = (bw + maxX + minX) * 0.5, cy = (bw + maxY + minY) * 0.5;
    if (!isFiniteValue(cx) || !isFiniteValue(cy)) return;
    component->width = truncateToUnsigned(bw + maxX - minX);
    component->height = truncateToUnsigned(bw + maxY - minY);
    const double c = std::cos(component->angle), s = std::sin(component->angle);
    component->position.x += c * cx - s * cy;
    component->position.y += c * cy + s * cx;
    for (Spline* spline : splines) {
        for (auto* points : {spline->getControlPoints(), spline->getSplinePoints()})
            for (Spline::SplinePoint& p : *points) {
                p.x -= cx;
                p.y -= cy;
            }
    }
}

void BoundedContainerStrategy::initializeCPButtonValues() {
    cpButtonValues.clear();
    for (unsigned i = 0; i < numControlPoints; ++i)
        cpButtonValues.push_back(lookUpButtonValue("CP_OUT_" + std::to_string(i)));
}

void BoundedContainerStrategy::fillMaskBuffer() {
    if (maskBuffer == nullptr) return;
    IBuffer<bool>& mask = *maskBuffer;
    const float cx = mask.width * 0.5f, cy = mask.height * 0.5f;
    const float r = std::min(mask.width, mask.height) * 0.5f;
    for (unsigned y = 0; y < mask.height; ++y)
        for (unsigned x = 0; x < mask.width; ++x) {
            const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
            mask.rows[y][x] = dx * dx + dy * dy < r * r;
        }
}

std::vector<Spline::SplinePoint> BoundedContainerStrategy::toGridPoints(Spline& spline, const IBufferBase& grid,
                                                                        std::size_t n) {
    const double hw = static_cast<double>(grid.getActualWidth() >> 1);
    const double hh = static_cast<double>(grid.getActualHeight() >> 1);
    const std::vector<Point>& points = *spline.getSplinePoints();
    std::vector<Point> moved(points.begin(), points.begin() + std::min(n, points.size()));
    for (Point& p : moved) {
        p.x += hw;
        p.y += hh;
    }
    return moved;
}

std::size_t BoundedContainerStrategy::sharedPointCount(std::initializer_list<Spline*> splines) {
    std::size_t n = (*splines.begin())->getSplinePoints()->size();
    for (Spline* spline : splines) n = std::min(n, spline->getSplinePoints()->size());
    return n;
}

void BoundedContainerStrategy::fillBand(IBuffer<unsigned char>* buffer, const std::vector<Point>& a,
                                        const std::vector<Point>& b, unsigned char value) {
    // A corner off the grid's left or bottom becomes a large unsigned number, to be clipped.
    auto cell = [](double v) { return static_cast<unsigned>(truncateToInt(v)); };
    detail::forEachClosedSegment(std::min(a.size(), b.size()), [&](std::size_t p, std::size_t i) {
        buffer->fillQuad(cell(a[p].x), cell(a[p].y), cell(a[i].x), cell(a[i].y), cell(b[i].x), cell(b[i].y),
                         cell(b[p].x), cell(b[p].y), value);
    });
}

void BoundedContainerStrategy::stampControlPoints(IBuffer<unsigned char>* buffer, Spline& spline,
                                                  const std::vector<unsigned char>& values) {
    if (maskBuffer == nullptr) return;
    const IBuffer<bool>& mask = *maskBuffer;
    const double hw = static_cast<double>(buffer->getActualWidth() >> 1);
    const double hh = static_cast<double>(buffer->getActualHeight() >> 1);
    const double maskHalfWidth = mask.width >> 1, maskHalfHeight = mask.height >> 1;
    const std::int64_t columns = buffer->getActualWidth(), rows = buffer->getActualHeight();
    const std::vector<Spline::SplinePoint>& points = *spline.getControlPoints();
    for (std::size_t i = 0; i < points.size() && i < values.size(); ++i) {
        const double cx = points[i].x + hw, cy = points[i].y + hh;
        for (unsigned r = 0; r < mask.height; ++r)
            for (unsigned c = 0; c < mask.width; ++c) {
                if (!mask.rows[r][c]) continue;
                const std::int64_t column = truncateToInt(c + cx - maskHalfWidth);
                const std::int64_t row = truncateToInt(r + cy - maskHalfHeight);
                if (column < 0 || row < 0 || column >= columns || row >= rows) continue;
                buffer->rows[row][column] = values[i];
            }
    }
}

void BoundedContainerStrategy::fillButtonBuffer(IBuffer<unsigned char>* buffer) {
    if (buffer == nullptr) return;
    buffer->fill(noButtonValue);
    if (const std::size_t n = sharedPointCount({&outerSpline, &outerBorderSpline}); n != 0) {
        const std::vector<Point> outline = toGridPoints(outerSpline, *buffer, n);
        const std::vector<Point> border = toGridPoints(outerBorderSpline, *buffer, n);
        // The inside is a fan of triangles from the centre.
        const Point centre{static_cast<double>(buffer->getActualWidth() >> 1),
                           static_cast<double>(buffer->getActualHeight() >> 1)};
        fillBand(buffer, outline, std::vector<Point>(n, centre), rntAreaValue);
        fillBand(buffer, border, outline, translationAreaValue);
    }
    if (displayControlPoints) stampControlPoints(buffer, outerSpline, cpButtonValues);
}

unsigned char BoundedContainerStrategy::getButtonValue(unsigned x, unsigned y) {
    unsigned char value = noButtonValue;
    readActiveBufferCell(component, buttonBufferType, x, y, &value);
    return value;
}

int BoundedContainerStrategy::obtainIndex(const std::vector<unsigned char>& values, unsigned char value) {
    const auto it = std::find(values.begin(), values.end(), value);
    return it == values.end() ? -1 : static_cast<int>(it - values.begin());
}

int BoundedContainerStrategy::findControlPoint(unsigned char value) const { return obtainIndex(cpButtonValues, value); }

void BoundedContainerStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || component == nullptr) return;
    ConstantProvider* names = ConstantProvider::getInstance();
    const bool finite = isFiniteValue(event->x) && isFiniteValue(event->y);
    if (event->type == names->getEventTypeIdentifier("PRESS")) {
        if (!finite) return;
        const unsigned x = truncateToUnsigned(event->x), y = truncateToUnsigned(event->y);
        if (!component->isInside(x, y)) return;
        const unsigned char value = getButtonValue(x, y);
        if (value == translationAreaValue || value == rntAreaValue) {
            highlighted = true;
        } else if (const int index = findControlPoint(value); index >= 0) {
            selectedControlPoint = index;
            // The reshaping keeps its contact: no pinch or drag takes it over.
            if (component->manager != nullptr) component->manager->claimContact(this, *event);
        }
    } else if (event->type == names->getEventTypeIdentifier("DRAG")) {
        if (!finite) return;
        if (selectedControlPoint >= 0) {
            double x = 0.0, y = 0.0, fromX = 0.0, fromY = 0.0;
            component->convertGlobalToBufferCoords(event->x, event->y, x, y);
            component->convertGlobalToBufferCoords(lastX, lastY, fromX, fromY);
            moveControlPointBy(static_cast<unsigned>(selectedControlPoint), x - fromX, y - fromY);
            evaluateSplines();
            adjustSizeAndPosition();
            createDisplayLists();
        }
    } else if (event->type == names->getEventTypeIdentifier("RELEASE") ||
               event->type == names->getEventTypeIdentifier("CANCEL")) {
        if (selectedControlPoint >= 0) {
            updateShape(true);
            // The shape under the children changed: the manager drops them again.
            if (updateChildren && component->manager != nullptr)
                for (const VisComponent* child : component->getChildren()) component->manager->addToUpdateList(child->id);
        }
        highlighted = false;
        selectedControlPoint = -1;
        if (!finite) return;
    } else {
        return;
    }
    lastX = truncateToInt(event->x);
    lastY = truncateToInt(event->y);
}

void BoundedContainerStrategy::moveWithinReach(Spline& spline, unsigned index, double dx, double dy) {
    if (index >= spline.getNumControlPoints() || !isFiniteValue(dx) || !isFiniteValue(dy)) return;
    Spline::SplinePoint* p = spline.getControlPoint(index);
    p->x = std::clamp(p->x + dx, -kMaxReach, kMaxReach);
    p->y = std::clamp(p->y + dy, -kMaxReach, kMaxReach);
}

void BoundedContainerStrategy::moveControlPointBy(unsigned index, double dx, double dy) {
    moveWithinReach(outerSpline, index, dx, dy);
}

void BoundedContainerStrategy::updateShape(bool full) {
    evaluateSplines();
    adjustSizeAndPosition();
    if (full) {
        initializeCPButtonValues();
        fillMaskBuffer();
        if (IBuffer<unsigned char>* grid = activeGrid<unsigned char>(component, buttonBufferType)) {
            grid->resize(component->width, component->height, component->width, component->height);
            fillButtonBuffer(grid);
        }
    }
    createDisplayLists();
}

void BoundedContainerStrategy::initializeDefaultShape(bool ellipse) {
    setDefaultBounds(ellipse);
    adjustSizeAndPosition();
    initializeCPButtonValues();
    createDisplayLists();
}

void BoundedContainerStrategy::resize(unsigned w, unsigned h) {
    IBuffer<unsigned char>* grid = activeGrid<unsigned char>(component, buttonBufferType);
    if (grid == nullptr) return;
    grid->resize(w, h, w, h);
    fillButtonBuffer(grid);
}

Point3d BoundedContainerStrategy::getRandomInsidePoint() {
    IBuffer<unsigned char>* grid = activeGrid<unsigned char>(component, buttonBufferType);
    if (grid == nullptr) return Point3d();
    const unsigned w = grid->getActualWidth(), h = grid->getActualHeight();
    double x = 0.0, y = 0.0;
    bool inside = false;
    for (unsigned draw = 0; draw < kRandomDraws && !inside; ++draw) {
        x = randomInt32767() * w / 32767.0;
        y = randomInt32767() * h / 32767.0;
        const unsigned column = static_cast<unsigned>(x), row = static_cast<unsigned>(y);
        inside = column < w && row < h && grid->rows[row][column] == rntAreaValue;
    }
    if (!inside) return component->position;
    x -= component->width >> 1;
    y -= component->height >> 1;
    const double a = component->angle, c = std::cos(a), s = std::sin(a);
    return Point3d(c * x - s * y + component->position.x, c * y + s * x + component->position.y,
                   component->position.z);
}

void BoundedContainerStrategy::compileRing(Spline& edge, Spline& fade, DisplayList& picking, DisplayList& plain,
                                           DisplayList& selected) {
    const std::vector<Point>& e = *edge.getSplinePoints();
    const std::vector<Point>& f = *fade.getSplinePoints();
    const std::size_t n = sharedPointCount({&edge, &fade});
    auto strip = [&](const double* rgba) {
        glBegin(GL_QUAD_STRIP);
        detail::forEachClosedStripPair(n, [&](std::size_t i) {
            if (rgba) glColor4dv(rgba);
            glVertex3d(e[i].x, e[i].y, 0.0);
            if (rgba) glColor4d(rgba[0], rgba[1], rgba[2], 0.0);
            glVertex3d(f[i].x, f[i].y, 0.0);
        });
        glEnd();
    };
    picking.compile([&] { strip(nullptr); });
    plain.compile([&] { strip(borderColor); });
    selected.compile([&] { strip(selectedColor); });
}

void BoundedContainerStrategy::createDisplayLists() {
    innerRegionList.compile([&] { drawInnerRegion(); });
    compileRing(outerSpline, outerBorderSpline, pickingBorderList, borderList, selectedBorderList);
}

void BoundedContainerStrategy::drawInnerRegion() {
    const std::vector<Spline::SplinePoint>& points = *outerSpline.getSplinePoints();
    if (points.empty()) return;
    glBegin(GL_TRIANGLE_FAN);
    glVertex3d(0.0, 0.0, 0.0);
    for (const Spline::SplinePoint& p : points) glVertex3d(p.x, p.y, 0.0);
    glVertex3d(points.front().x, points.front().y, 0.0);
    glEnd();
}

void BoundedContainerStrategy::drawBorder(bool picking) {
    if (picking)
        pickingBorderList.call();
    else
        (highlighted ? selectedBorderList : borderList).call();
}

void BoundedContainerStrategy::drawControlPointMarks(Spline& spline, int selected) {
    const std::vector<Spline::SplinePoint>& points = *spline.getControlPoints();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double* rgba = static_cast<int>(i) == selected ? selectedColor : borderColor;
        glBegin(GL_TRIANGLE_FAN);
        glColor4dv(rgba);
        glVertex3d(points[i].x, points[i].y, 0.0);
        glColor4d(rgba[0], rgba[1], rgba[2], 0.0);
        for (int k = 0; k < 4; ++k) {
            const double a = k * kMarkStep;
            glVertex3d(points[i].x + std::cos(a) * borderWidth, points[i].y + std::sin(a) * borderWidth, 0.0);
        }
        glEnd();
    }
}

void BoundedContainerStrategy::drawControlPoints() { drawControlPointMarks(outerSpline, selectedControlPoint); }

// Blending is the host's state (or a capture's, which keeps alpha apart).
void BoundedContainerStrategy::draw(const std::vector<unsigned long>&) {
    glPushAttrib(GL_CURRENT_BIT);
    glColor4dv(color);
    innerRegionList.call();
    drawBorder(false);
    if (displayControlPoints) drawControlPoints();
    glPopAttrib();
}

void BoundedContainerStrategy::drawForPicking() {
    unsigned char rgb[3];
    component->getIdColor(rgb);
    glColor3ubv(rgb);
    innerRegionList.call();
    drawBorder(true);
}
