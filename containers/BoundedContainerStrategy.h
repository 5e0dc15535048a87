#ifndef DRAVIK_CONTAINERS_BOUNDEDCONTAINERSTRATEGY_H
#define DRAVIK_CONTAINERS_BOUNDEDCONTAINERSTRATEGY_H

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/DisplayList.h"
#include "containers/Spline.h"
#include "framework/Export.h"
#include "framework/IBuffer.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

// Makes its component a free-form container: a closed, smooth outline (`outerSpline`) with a
// border ring around it (out to `outerBorderSpline`, `borderWidth` pixels away), which users
// reshape by dragging its control points. Components dropped onto it become its children, so
// they move and turn with it.
//
// It offers a "BUTTON_BUFFER" grid over the component: "RNT_AREA" inside the outline,
// "TRANSLATION_AREA" on the ring, and around each control point i a disc (of radius
// `borderWidth`) holding the button value of "CP_OUT_" followed by i; elsewhere "NO_BUTTON".
// A TranslationStrategy or RNTStrategy on the same component reads it, so that the ring
// drags the container and the inside turns it. It draws the inside and the ring (fading
// outward), the control point marks, and for picking the inside and the ring.
//
// A press on a control point selects it; drags move it, and the outline, the component's
// size and its position follow at once (the component stays centred on the shape); the
// release refits the button grid and asks the manager to drop every child again, since the
// shape under them changed. Splines are in component coordinates, unturned, origin at the
// component's position.
//
// Limits, so that no input can ask for unbounded memory: at most kMaxControlPoints control
// points and kMaxSplineLevels subdivision levels (the setters store at most these), a
// `borderWidth` of at most kMaxBorderWidth, and control points within kMaxReach pixels of
// the component's centre on either axis (the default shape, and drags, stop there). Events
// with coordinates that are not finite are ignored.
class DRAVIK_API BoundedContainerStrategy : public VisComponentStrategy {
public:
    static constexpr unsigned kMaxControlPoints = 100;
    static constexpr unsigned kMaxSplineLevels = 10;
    static constexpr double kMaxBorderWidth = 256.0;
    static constexpr double kMaxReach = 2048.0;

    BoundedContainerStrategy();
    BoundedContainerStrategy(unsigned numControlPoints, unsigned splineLevels);
    // Copies share no display list or mask with the original: each makes its own.
    BoundedContainerStrategy(const BoundedContainerStrategy& other);
    BoundedContainerStrategy& operator=(const BoundedContainerStrategy& other);
    ~BoundedContainerStrategy() override;

    // The default shape: `numControlPoints` points around an ellipse (or the rectangle) that
    // fills the component less the border, then size and position fitted, control point
    // values named and display lists built. Expects empty splines.
    void initializeDefaultShape(bool ellipse);
    // Splines evaluated and the component fitted to them; `full` also renames the control
    // point values, refits and refills the button grid to the component's size and rebuilds
    // the display lists.
    void updateShape(bool full);
    // A uniformly chosen pixel inside the outline, in global coordinates: (0, 0, 0) without a
    // component or button grid, the component's position when kRandomDraws draws find no
    // inside cell (a grid with none would never end).
    virtual Point3d getRandomInsidePoint();
    static constexpr unsigned kRandomDraws = 100000;

    Spline getOuterSpline() const { return outerSpline; }
    void setOuterSpline(Spline spline) { outerSpline = std::move(spline); }
    Spline getOuterBorderSpline() const { return outerBorderSpline; }
    void setOuterBorderSpline(Spline spline) { outerBorderSpline = std::move(spline); }
    double* getColor() { return color; }
    void setColor(const double* rgba);
    double* getBorderColor() { return borderColor; }
    void setBorderColor(const double* rgba);
    double* getSelectedColor() { return selectedColor; }
    void setSelectedColor(const double* rgba);
    double getBorderWidth() const { return borderWidth; }
    void setBorderWidth(double width);  // 0 to kMaxBorderWidth; not a number: ignored
    unsigned getNumControlPoints() const { return numControlPoints; }
    void setNumControlPoints(unsigned count);
    unsigned getSplineLevels() const { return splineLevels; }
    void setSplineLevels(unsigned levels);
    bool getDisplayControlPoints() const { return displayControlPoints; }
    void setDisplayControlPoints(bool display) { displayControlPoints = display; }

protected:
    void initProperties() override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;
    void onEvent(DravikEvent* event) override;
    void resize(unsigned w, unsigned h) override;
    bool acceptsDrops() const override { return true; }

    virtual void createDisplayLists();
    virtual void setDefaultBounds(bool ellipse);
    virtual void adjustSizeAndPosition();
    virtual void evaluateSplines();
    virtual void drawInnerRegion();
    virtual void drawBorder(bool picking);
    virtual void drawControlPoints();
    virtual void moveControlPointBy(unsigned index, double dx, double dy);
    virtual void fillButtonBuffer(IBuffer<unsigned char>* buffer);
    virtual void initializeCPButtonValues();

    // Border control points: the outline's moved `borderWidth` against its normals.
    void calculateOuterBorder();
    // The disc that marks a control point in the button grid.
    void fillMaskBuffer();
    unsigned char getButtonValue(unsigned x, unsigned y);
    static int obtainIndex(const std::vector<unsigned char>& values, unsigned char value);

    // The control point, in the container's numbering, whose disc holds `value`; -1 for none.
    virtual int findControlPoint(unsigned char value) const;

    // Shared with the belts.
    using Point = Spline::SplinePoint;
    // Half the default shape's extent: the component's half size, within kMaxReach.
    void defaultHalfExtent(double& hw, double& hh) const;
    // Point i of `numControlPoints` of the default shape, `inset` pixels in from its edge.
    Spline::SplinePoint defaultShapePoint(unsigned i, bool ellipse, double hw, double hh, double inset) const;
    // `to`'s control points become `from`'s moved `distance` along their normals.
    static void offsetSpline(Spline& from, Spline& to, double distance);
    // Fits the component around the spline points of `splines` and the control points of
    // the first `controlPointSplines` of them, plus `borderWidth` on every side: its size
    // becomes the box's, its position moves by the box's centre (turned by its angle), and
    // every point of every spline moves by minus that centre, so the shape stays in place.
    void fitComponentTo(std::initializer_list<Spline*> splines, std::size_t controlPointSplines);
    // The first `n` spline points in the coordinates of `grid`: component coordinates plus
    // half the grid's extent.
    static std::vector<Point> toGridPoints(Spline& spline, const IBufferBase& grid, std::size_t n);
    // Quads (a[i-1], a[i], b[i], b[i-1]) for every segment of the closed band between two
    // outlines of n points each, set to `value` (corners truncated; off-grid parts clipped).
    static void fillBand(IBuffer<unsigned char>* buffer, const std::vector<Point>& a, const std::vector<Point>& b,
                         unsigned char value);
    // The number of spline points that every spline of a band uses: the fewest any has, so
    // that splines set with differing counts are never read past their end.
    static std::size_t sharedPointCount(std::initializer_list<Spline*> splines);
    // Stamps the mask disc into the grid at each control point of `spline`, with `values`.
    void stampControlPoints(IBuffer<unsigned char>* buffer, Spline& spline, const std::vector<unsigned char>& values);
    // Quad strips over the pairs (edge point i, fade point i), closed: uncoloured for
    // picking, and fading from `borderColor` or `selectedColor` at the edge to transparent.
    void compileRing(Spline& edge, Spline& fade, DisplayList& picking, DisplayList& plain, DisplayList& selected);
    // A fan at each control point of `spline`; control point `selected` in `selectedColor`.
    void drawControlPointMarks(Spline& spline, int selected);
    // Moves control point `index` of `spline` by (dx, dy), keeping it within kMaxReach.
    static void moveWithinReach(Spline& spline, unsigned index, double dx, double dy);
    static unsigned char lookUpButtonValue(const std::string& name);

    Spline outerSpline;
    Spline outerBorderSpline;
    double color[4];
    double borderColor[4];
    double selectedColor[4];
    double borderWidth = 20.0;
    unsigned numControlPoints = 0;
    unsigned splineLevels = 0;
    DisplayList innerRegionList, borderList, selectedBorderList, pickingBorderList;
    int selectedControlPoint = -1;
    bool highlighted = false;
    int lastX = -1;
    int lastY = -1;
    bool initializeShape = true;
    bool updateChildren = true;
    bool displayControlPoints = true;
    std::unique_ptr<IBuffer<bool>> maskBuffer;
    unsigned maskBufferType = 0;
    unsigned buttonBufferType = 0;
    unsigned char noButtonValue = 0, translationAreaValue = 0, rntAreaValue = 0;
    std::vector<unsigned char> cpButtonValues;
};

#endif
