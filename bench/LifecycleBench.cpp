// Lifecycle under load: a frame of 1,000 running animations against the same frame pass
// whose strategies write the same value without the animation's timing, and dispenser ->
// drag -> bin cycles (a card made by a press, dragged into the bin, its destruction
// animation played and reported, the card destroyed) against making and destroying the
// same card directly. The cycles also report the process's resident memory before and
// after (growth in kB).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "RatioReport.h"
#include "dravik/DravikFrameworkLayer.h"
#include "lifecycle/AnimationStrategy.h"
#include "lifecycle/CreatorStrategy.h"
#include "lifecycle/DestroyerStrategy.h"
#include "lifecycle/DestructionStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"

namespace {

constexpr int kAnimated = 1000;
constexpr int kCycles = 10000;

// Fades its component by the parameter, as a typical animation does.
class FadeAnimation : public AnimationStrategy {
protected:
    void performAnimation() override { component->color[3] = 1.0 - animationParameter; }
};

// The same write, every frame, without an animation's timing: the frame pass alone.
class PlainFade : public VisComponentStrategy {
protected:
    void process() override { component->color[3] = 1.0 - component->position.z; }
};

// A destruction animation that ends at once (one frame at a frame rate of 0).
class QuickDestruction : public DestructionStrategy {
protected:
    void performAnimation() override { component->color[3] = 0.0; }
};

VisComponent* makeCard(double x, double y) {
    auto* card = new VisComponent;
    card->leaf = true;
    card->width = 40;
    card->height = 30;
    card->position = Point3d(x, y, 0);
    card->pushStrategy(new LazyTranslationStrategy);
    card->pushStrategy(new QuickDestruction);
    return card;
}

class CardDispenser : public CreatorStrategy {
protected:
    VisComponent* createComponent(unsigned x, unsigned y, std::uint32_t) override { return makeCard(x, y); }
};

template <class Strategy>
void frameOf1000(benchmark::State& state, double duration) {
    DravikManager manager(nullptr, 0);
    manager.frameRate = 60.0;
    const unsigned start = ConstantProvider::getInstance()->getEventTypeIdentifier("START_ANIMATION");
    for (int i = 0; i < kAnimated; ++i) {
        auto* c = new VisComponent;
        c->position = Point3d(i % 40 * 25.0, i / 40 * 25.0, 0);
        auto* s = new Strategy;
        if constexpr (std::is_base_of_v<AnimationStrategy, Strategy>) s->setAnimationDuration(duration);
        c->pushStrategy(s);
        manager.addComponent(c);
        DravikEvent event(start);
        c->onEvent(&event);
    }
    for (auto _ : state) manager.processComponents();
    state.counters["per_item"] =
        benchmark::Counter(kAnimated, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A frame of 1,000 animations that run for a day: each frame steps and applies every one.
void BM_AnimationFrame(benchmark::State& state) { frameOf1000<FadeAnimation>(state, 86400.0); }
void BM_PlainFrame(benchmark::State& state) { frameOf1000<PlainFade>(state, 0.0); }

long residentKilobytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// A 1024 x 768 table with a dispenser at (100, 384) and a bin at (900, 384).
struct Workshop {
    DravikManager manager{nullptr, 0};
    unsigned press = ConstantProvider::getInstance()->getEventTypeIdentifier("PRESS");
    unsigned drag = ConstantProvider::getInstance()->getEventTypeIdentifier("DRAG");
    unsigned release = ConstantProvider::getInstance()->getEventTypeIdentifier("RELEASE");

    Workshop() {
        manager.resize(1024, 768);
        auto* table = new VisComponent;
        table->width = 1024;
        table->height = 768;
        table->position = Point3d(512, 384, 0);
        manager.setRootComponent(table);
        for (double x : {100.0, 900.0}) {
            auto* c = new VisComponent;
            c->width = c->height = 120;
            c->position = Point3d(x, 384, 0);
            if (x < 512) c->pushStrategy(new CardDispenser);
            else c->pushStrategy(new DestroyerStrategy);
            manager.addComponent(c);
        }
    }
    void route(unsigned type, double x, double y) {
        DravikEvent event(type, 1, x, y);
        manager.processEvent(&event, nullptr);
    }
};

// One cycle: press on the dispenser, drag to the bin and release (the card drops into it),
// then the frames in which the bin starts the animation, the card reports, the bin destroys.
void BM_DispenserToBinCycle(benchmark::State& state) {
    Workshop workshop;
    const long before = residentKilobytes();
    for (auto _ : state) {
        workshop.route(workshop.press, 100, 384);
        workshop.route(workshop.drag, 500, 384);
        workshop.route(workshop.drag, 900, 384);
        workshop.route(workshop.release, 900, 384);
        for (int frame = 0; frame < 3; ++frame) workshop.manager.processComponents();
    }
    const long after = residentKilobytes();
    if (workshop.manager.getNumberComponents() != 2) state.SkipWithError("cards were left over");
    state.counters["rss_before_kB"] = static_cast<double>(before);
    state.counters["rss_growth_kB"] = static_cast<double>(after - before);
}

// Baseline: the same card made, added to the scene and destroyed directly.
void BM_MakeAndDestroyCard(benchmark::State& state) {
    Workshop workshop;
    for (auto _ : state) {
        VisComponent* card = makeCard(500, 384);
        workshop.manager.addComponent(card);
        delete card;
    }
}

}  // namespace

BENCHMARK(BM_PlainFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnimationFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MakeAndDestroyCard)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_DispenserToBinCycle)->Iterations(kCycles)->Unit(benchmark::kNanosecond);

int main(int argc, char** argv) {
    return dravik::bench::runWithRatios(argc, argv,
                                        {{"BM_AnimationFrame", "BM_PlainFrame"},
                                         {"BM_DispenserToBinCycle/iterations:10000", "BM_MakeAndDestroyCard"}});
}
