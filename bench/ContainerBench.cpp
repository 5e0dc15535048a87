// Containers against the floors of the same work, measured in the same run:
//   - refilling the three current grids of a 1920 x 1080 belt (two threads) against a plain
//     loop storing a non-zero value into the same bytes;
//   - one frame (processComponents and readPassiveBuffers) of 1,000 items riding a belt,
//     per item, against the same frame of 1,000 items that read no grid;
//   - Spline::evaluate with 8 control points at level 4 against storing its 128 points and
//     normals.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "RatioReport.h"
#include "containers/CurrentBeltContainerStrategy.h"
#include "containers/CurrentObserverStrategy.h"
#include "containers/Spline.h"
#include "dravik/DravikFrameworkLayer.h"

namespace {

constexpr unsigned kWidth = 1920, kHeight = 1080, kItems = 1000;

// A current belt whose grid refill the benchmark can call.
class RefilledBelt : public CurrentBeltContainerStrategy {
public:
    RefilledBelt() : CurrentBeltContainerStrategy(300.0) {}
    void refill() {
        for (unsigned type : {sizeBufferType, orientationBufferType, directionBufferType}) updateBuffer(type, false);
    }
};

// A belt filling a 1920 x 1080 component, in a manager (no OpenGL context: drawing calls do
// nothing).
struct BeltScene {
    DravikManager manager{nullptr, 0};
    VisComponent* belt = new VisComponent;
    RefilledBelt* strategy = new RefilledBelt;
    BeltScene() {
        manager.resize(kWidth, kHeight);
        belt->position = Point3d(kWidth / 2.0, kHeight / 2.0, 0.0);
        belt->width = kWidth;
        belt->height = kHeight;
        belt->pushStrategy(strategy);
        manager.addComponent(belt);
    }
    IBuffer<double>* grid(const char* name) const {
        return belt->getActiveBufferByType(ConstantProvider::getInstance()->getBufferTypeIdentifier(name))
            ->getBuffer<double>();
    }
};

void BM_CurrentGridsRefill(benchmark::State& state) {
    BeltScene scene;
    for (auto _ : state) {
        scene.strategy->refill();
        benchmark::ClobberMemory();
    }
}

void BM_CurrentGridsStoreLoop(benchmark::State& state) {
    BeltScene scene;
    double value = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);  // not a constant the compiler could turn into a memset
        for (const char* name : {"SIZE_BUFFER", "ORIENTATION_BUFFER", "DIRECTION_BUFFER"}) {
            IBuffer<double>* g = scene.grid(name);
            double* data = g->data;
            const std::size_t count = std::size_t(g->width) * g->height * g->valuesPerCell;
            for (std::size_t i = 0; i < count; ++i) data[i] = value;
        }
        benchmark::ClobberMemory();
    }
}

// 1,000 items along the belt's middle line; `observing` items ride it.
void frameOfItems(benchmark::State& state, bool observing) {
    BeltScene scene;
    const double a = (kWidth / 2.0 - 20.0) * 0.7071067811865476, b = (kHeight / 2.0 - 20.0) * 0.7071067811865476;
    for (unsigned i = 0; i < kItems; ++i) {
        const double t = 2.0 * M_PI * i / kItems;
        auto* item = new VisComponent;
        item->width = item->height = 40;
        item->leaf = true;
        // The middle of the belt, roughly: 300 in from the outline of semi-axes 1.25 a, 1.25 b.
        item->position = Point3d(kWidth / 2.0 + (1.25 * a - 150.0) * std::cos(t),
                                 kHeight / 2.0 + (1.25 * b - 150.0) * std::sin(t), 0.0);
        if (observing) item->pushStrategy(new CurrentObserverStrategy);
        scene.belt->addChild(item);
    }
    for (auto _ : state) {
        scene.manager.processComponents();
        scene.manager.readPassiveBuffers();
    }
    // Seconds per item (shown with an SI prefix: 150n is 150 ns).
    state.counters["per_item"] =
        benchmark::Counter(kItems, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ObserversRiding(benchmark::State& state) { frameOfItems(state, true); }
void BM_ItemsReadingNothing(benchmark::State& state) { frameOfItems(state, false); }

Spline eightPointOutline() {
    Spline s(4, true);
    for (int i = 0; i < 8; ++i) {
        const double t = 2.0 * M_PI * i / 8;
        s.addControlPoint(300.0 * std::cos(t) + 20.0 * (i % 2), 200.0 * std::sin(t));
    }
    return s;
}

void BM_SplineEvaluate(benchmark::State& state) {
    Spline s = eightPointOutline();
    for (auto _ : state) {
        s.evaluate();
        benchmark::DoNotOptimize(s.getSplinePoints()->data());
        benchmark::ClobberMemory();
    }
}

void BM_SplineOutputStores(benchmark::State& state) {
    Spline s = eightPointOutline();
    s.evaluate();
    std::vector<Spline::SplinePoint> points(*s.getSplinePoints()), normals(*s.getSplinePointNormals());
    double value = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        for (std::size_t i = 0; i < points.size(); ++i) points[i] = normals[i] = {value, value};
        benchmark::DoNotOptimize(points.data());
        benchmark::DoNotOptimize(normals.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_CurrentGridsStoreLoop)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurrentGridsRefill)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemsReadingNothing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ObserversRiding)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplineOutputStores)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SplineEvaluate)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return dravik::bench::runWithRatios(argc, argv,
                                        {{"BM_CurrentGridsRefill/real_time", "BM_CurrentGridsStoreLoop/real_time"},
                                         {"BM_ObserversRiding", "BM_ItemsReadingNothing"},
                                         {"BM_SplineEvaluate", "BM_SplineOutputStores"}});
}
