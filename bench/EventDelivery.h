#ifndef DRAVIK_BENCH_EVENTDELIVERY_H
#define DRAVIK_BENCH_EVENTDELIVERY_H

#include <benchmark/benchmark.h>

#include "dravik/DravikFrameworkLayer.h"

// The plain event delivery of the framework: drags of one user routed by the manager to the
// component that user pressed, which carries four strategies that only count. Other
// benchmarks report their cost per event as a ratio to this one.
namespace dravik::bench {

class CountingStrategy : public VisComponentStrategy {
public:
    unsigned long count = 0;

protected:
    void onEvent(DravikEvent* event) override { count += event->type; }
};

inline void BM_EventDelivery(benchmark::State& state) {
    DravikManager manager(nullptr, 0);
    manager.resize(1920, 1080);
    auto* component = new VisComponent;
    component->position = Point3d(500, 500, 0);
    CountingStrategy* counters[4];
    for (auto*& c : counters) component->pushStrategy(c = new CountingStrategy);
    manager.addComponent(component);
    ConstantProvider* names = ConstantProvider::getInstance();
    DravikEvent press(names->getEventTypeIdentifier("PRESS"), 1, 500, 500);
    manager.processEvent(&press, nullptr);
    DravikEvent drag(names->getEventTypeIdentifier("DRAG"), 1, 500, 500);
    for (auto _ : state) {
        drag.x += 0.25;
        manager.processEvent(&drag, nullptr);
    }
    benchmark::DoNotOptimize(counters[3]->count);
    state.SetItemsProcessed(state.iterations());
}

}  // namespace dravik::bench

#endif
