#ifndef DRAVIK_CONTAINERS_CURRENTBELTCONTAINERSTRATEGY_H
#define DRAVIK_CONTAINERS_CURRENTBELTCONTAINERSTRATEGY_H

#include <vector>

#include "containers/BeltContainerStrategy.h"
#include "containers/BufferFillingHelper.h"
#include "framework/Export.h"

// A belt that works as a conveyor. Besides the button grid it offers three current grids
// over the component, which components lying on it read at their own position (see
// CurrentObserverStrategy) to be resized, turned and carried along:
//   "SIZE_BUFFER" (one value): the size an item takes there, in pixels: the local belt
//       width times `sizeFactor`;
//   "ORIENTATION_BUFFER" (two values): a direction across the belt (the outlines' normals),
//       from which an item takes its angle;
//   "DIRECTION_BUFFER" (two values): the current, in pixels per read: `flowSpeed` along the
//       belt on its middle line, blending linearly into a push of `edgeSpeed` toward the
//       middle at both edges (and on the rings).
// Cells off the belt and its rings hold 0 in all three.
//
// A swipe on the belt (a press on it, released elsewhere) sets the speed: its length, capped
// at `maxFlowChangeDistance`, over 20, signed by whether it runs with the belt's direction
// under the press; a swipe shorter than `minFlowChangeDistance` stops the belt. The
// direction grid is refilled on the release. Dragging a control point reshapes the belt; the
// three grids are refitted and refilled on the release. Grids are filled from quads on two
// threads (BufferFillingHelper), only on those occasions, never per frame.
class DRAVIK_API CurrentBeltContainerStrategy : public BeltContainerStrategy {
public:
    explicit CurrentBeltContainerStrategy(double beltWidth = 100.0);
    CurrentBeltContainerStrategy(const CurrentBeltContainerStrategy&) = default;
    CurrentBeltContainerStrategy& operator=(const CurrentBeltContainerStrategy&) = default;
    ~CurrentBeltContainerStrategy() override = default;

    double getMinFlowChangeDistance() const { return minFlowChangeDistance; }
    void setMinFlowChangeDistance(double distance) { minFlowChangeDistance = distance; }
    double getMaxFlowChangeDistance() const { return maxFlowChangeDistance; }
    void setMaxFlowChangeDistance(double distance) { maxFlowChangeDistance = distance; }
    // Pixels per read along the belt's middle; reaches the direction grid at its next fill.
    double getFlowSpeed() const { return flowSpeed; }
    void setFlowSpeed(double speed);  // not a number: ignored

protected:
    void initProperties() override;
    void onEvent(DravikEvent* event) override;
    void resize(unsigned w, unsigned h) override;

    void fillSizeBuffer(IBuffer<double>* grid);
    void fillOrientationBuffer(IBuffer<double>* grid);
    void fillDirectionBuffer(IBuffer<double>* grid);
    // Refills the component's grid of that type (one of the three), first fitting it to
    // the component's size when `resize` is set.
    void updateBuffer(unsigned type, bool resize);

    double sizeFactor = 0.7;
    double flowSpeed = 1.0;
    double edgeSpeed = 2.0;
    bool flowChangeActive = false;
    double flowPressX = 0.0;
    double flowPressY = 0.0;
    double flowNormal[2] = {0.0, 0.0};
    double minFlowChangeDistance = 10.0;
    double maxFlowChangeDistance = 160.0;
    unsigned sizeBufferType = 0;
    unsigned orientationBufferType = 0;
    unsigned directionBufferType = 0;

private:
    using Quad = BufferFillingHelper::Quad2f;
    using Point = Spline::SplinePoint;
    // The four outlines in a grid's coordinates, with the outlines' normals; n points each.
    struct Outlines {
        std::vector<Point> outer, outerBorder, inner, innerBorder, outerNormals, innerNormals;
        std::size_t n;
    };
    Outlines outlinesOn(const IBufferBase& grid);
    // One quad per segment between outlines a and b: corners a[i-1], a[i], b[i], b[i-1]
    // (for i = 1 .. n-1 and the closing pair), with the values at those points.
    static void addBand(std::vector<Quad>& built, IBuffer<double>* grid, unsigned kind, const std::vector<Point>& a,
                        const std::vector<Point>& aValues, const std::vector<Point>& b,
                        const std::vector<Point>& bValues);
    // `count` bands added one after the other, reordered segment by segment.
    static std::vector<Quad> interleaved(const std::vector<Quad>& bands, std::size_t count);
    // What the last fill of a grid covered. Quads with the same corners cover the same
    // cells, so a refill over an unchanged shape (after a swipe) overwrites every cell the
    // last one wrote and needs no clearing first.
    struct Coverage {
        const IBufferBase* grid = nullptr;
        unsigned width = 0, height = 0;
        std::vector<unsigned> corners;
    };
    // Fills the quads into the grid on two threads, neighbours on different threads,
    // clearing it first (in the same threads) unless the last fill had the same corners.
    void fillQuads(IBuffer<double>* grid, const std::vector<Quad>& built);
    // Clears the whole grid, for shapes that give no quads.
    void clear(IBuffer<double>* grid);
    Coverage& coverageOf(const IBufferBase* grid);
    void pressOnBelt(const DravikEvent& event);
    void releaseSwipe(const DravikEvent& event);

    std::vector<Coverage> coverages;
};

#endif
