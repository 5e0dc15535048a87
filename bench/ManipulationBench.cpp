// Manipulation under load: a frame of many tosses over a friction surface, and drags through
// a rotate-and-translate strategy against the framework's plain event delivery.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "EventDelivery.h"
#include "RatioReport.h"
#include "dravik/DravikFrameworkLayer.h"
#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/RNTStrategy.h"
#include "manipulation/TossableStrategy.h"

namespace {

constexpr int kTossingComponents = 1000;
constexpr int kTossFrames = 500;  // 3 units per frame losing 1 % each: still moving after 500
constexpr int kDrags = 100000;

void send(VisComponent* target, unsigned type, double x, double y) {
    DravikEvent event(type, 1, x, y);
    target->onEvent(&event);
}

// One frame of the process pass and the passive reads, for 1,000 components gliding over a
// 1920 x 1080 friction table; reported per component.
void BM_TossFrame(benchmark::State& state) {
    DravikManager manager(nullptr, 0);
    manager.resize(1920, 1080);
    auto* table = new VisComponent;
    table->position = Point3d(960, 540, 0);
    table->width = 1920;
    table->height = 1080;
    table->pushStrategy(new FrictionSurfaceStrategy);
    manager.setRootComponent(table);

    ConstantProvider* names = ConstantProvider::getInstance();
    const unsigned press = names->getEventTypeIdentifier("PRESS");
    const unsigned release = names->getEventTypeIdentifier("RELEASE");
    TossableStrategy* first = nullptr;
    for (int i = 0; i < kTossingComponents; ++i) {
        // 40 columns by 25 rows, each gliding at most 300 units left or right: never near the band.
        auto* puck = new VisComponent;
        puck->leaf = true;
        puck->width = puck->height = 20;
        puck->position = Point3d(400 + (i % 40) * 28, 300 + (i / 40) * 20, 0);
        auto* toss = new TossableStrategy;
        puck->pushStrategy(toss);
        manager.addComponent(puck);
        const double direction = i % 2 == 0 ? 1.0 : -1.0;
        send(puck, press, puck->position.x, puck->position.y);
        send(puck, release, puck->position.x + 3 * direction, puck->position.y + 0.5);
        if (first == nullptr) first = toss;
    }
    for (auto _ : state) {
        manager.processComponents();
        manager.readPassiveBuffers();
    }
    if (!first->isTossing()) state.SkipWithError("the tosses ended before the last frame");
    state.counters["per_component"] = benchmark::Counter(
        kTossingComponents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Drags of one user routed by the manager to a component whose RNTStrategy turns it: the
// touch point circles the component's position, so every drag turns it and none moves it off.
void BM_RNTDrag(benchmark::State& state) {
    DravikManager manager(nullptr, 0);
    manager.resize(1920, 1080);
    auto* card = new VisComponent;
    card->position = Point3d(500, 500, 0);
    ConstantProvider* names = ConstantProvider::getInstance();
    auto* buttons = new IBufferProxy(names->getBufferTypeIdentifier("BUTTON_BUFFER"));
    auto* grid = new IBuffer<unsigned char>(buttons->type, 1, card->width, card->height, card->width, card->height);
    grid->fill(static_cast<unsigned char>(names->getButtonBufferValue("RNT_AREA")));
    buttons->buffer = grid;
    card->addActiveBuffer(buttons);
    card->pushStrategy(new RNTStrategy);
    manager.addComponent(card);

    DravikEvent press(names->getEventTypeIdentifier("PRESS"), 1, 540, 500);
    manager.processEvent(&press, nullptr);
    // One full circle of 40 units around the position, in 1/100 rad steps.
    std::vector<Point3d> circle;
    for (int i = 0; i < 628; ++i) circle.emplace_back(500 + 40 * std::cos(i * 0.01), 500 + 40 * std::sin(i * 0.01), 0);
    DravikEvent drag(names->getEventTypeIdentifier("DRAG"), 1, 540, 500);
    std::size_t step = 0;
    for (auto _ : state) {
        step = step + 1 == circle.size() ? 0 : step + 1;
        drag.x = circle[step].x;
        drag.y = circle[step].y;
        manager.processEvent(&drag, nullptr);
    }
    benchmark::DoNotOptimize(card->angle);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_TossFrame)->Iterations(kTossFrames)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RNTDrag)->Iterations(kDrags);
BENCHMARK(dravik::bench::BM_EventDelivery)->Iterations(kDrags);

int main(int argc, char** argv) {
    return dravik::bench::runWithRatios(argc, argv,
                                        {{"BM_RNTDrag/iterations:100000",
                                          "dravik::bench::BM_EventDelivery/iterations:100000"}});
}
