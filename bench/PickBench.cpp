// A pick (which component is under a touch) in scenes of 1,000, 10,000 and 100,000
// components at 1,024 x 768: the manager's pick, which finds the components whose bounds hold
// the pixel in its picking index and draws only those, against two baselines in the same run:
// the cull that checks the bounds of every component (written out here, as the manager did
// before it kept an index) and the full colour pick that draws every component into the
// pixel. The read-back of one pixel, which every pick pays, is the floor. The pick's cost
// should barely grow with the scene (10,000 against 1,000: at most 2x); it does grow with the
// components really under the point, about 0.7 at 1,000, 7 at 10,000 and 70 at 100,000.
//
// Runs with an OpenGL context (under xvfb-run -a -s "-screen 0 1280x1024x24" where there is
// no display), with llvmpipe's default threads as a user's program has them.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "RatioReport.h"
#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr unsigned kSide = 24;
constexpr int kPoints = 64;  // picks cycle through these pixels

// Components are picked where this draws: their square, in their identifier colour.
class SquareStrategy : public VisComponentStrategy {
protected:
    void drawForPicking() override {
        unsigned char rgb[3];
        component->getIdColor(rgb);
        glColor3ub(rgb[0], rgb[1], rgb[2]);
        glRectd(-(kSide / 2.0), -(kSide / 2.0), kSide / 2.0, kSide / 2.0);
    }
};

// A container: drops land on it.
class HolderStrategy : public SquareStrategy {
protected:
    bool acceptsDrops() const override { return true; }
};

// The cull without an index: whether the component's bounds, widened by a unit and a pixel,
// turned and scaled, hold the centre of pixel (x, y).
bool mayCover(const VisComponent& c, unsigned x, unsigned y) {
    const LocalBounds b = c.getPickingBounds();
    const double slackX = 1.0 + 1.0 / std::abs(c.scale.x), slackY = 1.0 + 1.0 / std::abs(c.scale.y);
    const double left = b.left - slackX, right = b.right + slackX, bottom = b.bottom - slackY, top = b.top + slackY;
    const double dx = x + 0.5 - c.position.x, dy = y + 0.5 - c.position.y;
    const double reachX = std::max(-left, right), reachY = std::max(-bottom, top);
    const double s = std::max(std::abs(c.scale.x), std::abs(c.scale.y));
    if (dx * dx + dy * dy > (reachX * reachX + reachY * reachY) * s * s) return false;
    Point3d local(x + 0.5, y + 0.5, c.position.z);
    c.convertGlobalToComponentCoords(local);
    return !(local.x < left || local.x > right || local.y < bottom || local.y > top);
}

class BenchManager : public DefaultManager {
public:
    using DefaultManager::pickComponent;
    using DefaultManager::pickContainer;

    // Draws into the one pixel with `draw` and reads it back, as the manager's pick does.
    template <class Draw>
    unsigned long pickWith(unsigned x, unsigned y, Draw draw) {
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_SCISSOR_TEST);
        glScissor(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        glFinish();
        unsigned char rgb[3] = {0, 0, 0};
        glReadPixels(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        glPopAttrib();
        return VisComponent::convertColorToId(rgb);
    }

    // Every component drawn into the pixel.
    unsigned long fullPick(unsigned x, unsigned y) {
        return pickWith(x, y, [&] { renderAll(true, true, false); });
    }

    // Every component's bounds checked, back to front; those that may cover the pixel drawn.
    unsigned long linearCullPick(unsigned x, unsigned y) {
        return pickWith(x, y, [&] {
            rootComponent->renderForPicking();
            for (VisComponent* top : components) {
                pending.assign(1, top);
                while (!pending.empty()) {
                    VisComponent* c = pending.back();
                    pending.pop_back();
                    if (mayCover(*c, x, y)) c->renderForPicking();
                    pending.insert(pending.end(), c->getChildren().rbegin(), c->getChildren().rend());
                }
            }
        });
    }

private:
    std::vector<VisComponent*> pending;
};

unsigned nextRandom(unsigned& seed) { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFF; }

std::map<int, std::unique_ptr<BenchManager>> scenes;  // by size; destroyed before the context

// A table and `count` turned squares at pseudo-random places, a tenth of them containers
// holding one square each.
BenchManager& scene(int count) {
    std::unique_ptr<BenchManager>& slot = scenes[count];
    if (slot != nullptr) return *slot;
    slot = std::make_unique<BenchManager>();
    auto* table = new VisComponentGL;
    table->width = kWidth;
    table->height = kHeight;
    slot->setRootComponent(table);
    slot->resize(kWidth, kHeight);
    unsigned seed = 12345;
    VisComponentGL* holder = nullptr;
    for (int i = 0; i < count; ++i) {
        auto* c = new VisComponentGL;
        c->width = c->height = kSide;
        c->position = Point3d(nextRandom(seed) % (kWidth - 40) + 20.0, nextRandom(seed) % (kHeight - 40) + 20.0, 0.0);
        c->angle = nextRandom(seed) % 360 * M_PI / 180.0;
        if (holder != nullptr) {
            c->pushStrategy(new SquareStrategy);
            holder->addChild(c);
            holder = nullptr;
        } else {
            c->pushStrategy(i % 10 == 0 ? new HolderStrategy : new SquareStrategy);
            slot->addComponent(c);
            if (i % 10 == 0) holder = c;
        }
    }
    return *slot;
}

std::vector<unsigned> pickPoints() {
    std::vector<unsigned> points;
    unsigned seed = 777;
    for (int i = 0; i < kPoints; ++i) points.push_back(nextRandom(seed) % kWidth | (nextRandom(seed) % kHeight) << 16);
    return points;
}

template <class Pick>
void pickAll(benchmark::State& state, Pick pick) {
    const std::vector<unsigned> points = pickPoints();
    std::size_t i = 0;
    unsigned long sum = 0;
    for (auto _ : state) {
        const unsigned p = points[i++ % points.size()];
        sum += pick(p & 0xFFFF, p >> 16);
    }
    benchmark::DoNotOptimize(sum);
}

// Baseline: every component drawn into the pixel.
void BM_FullPick(benchmark::State& state) {
    BenchManager& m = scene(static_cast<int>(state.range(0)));
    pickAll(state, [&](unsigned x, unsigned y) { return m.fullPick(x, y); });
}

// Baseline: every component's bounds checked.
void BM_LinearCullPick(benchmark::State& state) {
    BenchManager& m = scene(static_cast<int>(state.range(0)));
    pickAll(state, [&](unsigned x, unsigned y) { return m.linearCullPick(x, y); });
}

void BM_Pick(benchmark::State& state) {
    BenchManager& m = scene(static_cast<int>(state.range(0)));
    pickAll(state, [&](unsigned x, unsigned y) { return m.pickComponent(x, y, false); });
}

// The container a dropped component lands on.
void BM_PickContainer(benchmark::State& state) {
    BenchManager& m = scene(static_cast<int>(state.range(0)));
    const unsigned long dropped = m.components.back()->id;
    pickAll(state, [&](unsigned x, unsigned y) { return m.pickContainer(x, y, dropped, true); });
}

// The floor: the round trip of reading one pixel back.
void BM_ReadOnePixel(benchmark::State& state) {
    unsigned char rgb[3];
    for (auto _ : state) {
        glFinish();
        glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        benchmark::DoNotOptimize(rgb);
    }
}

}  // namespace

// In real time: llvmpipe draws on its own threads while the picking thread waits.
BENCHMARK(BM_FullPick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LinearCullPick)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Pick)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PickContainer)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ReadOnePixel)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
    const int window = dravik::bench::openBenchWindow("PickBench", kWidth, kHeight);
    const int status = dravik::bench::runWithRatios(argc, argv,
                                                    {{"BM_Pick/10000/real_time", "BM_Pick/1000/real_time"},
                                                     {"BM_Pick/100000/real_time", "BM_Pick/1000/real_time"},
                                                     {"BM_PickContainer/10000/real_time", "BM_PickContainer/1000/real_time"},
                                                     {"BM_PickContainer/100000/real_time", "BM_PickContainer/1000/real_time"},
                                                     {"BM_LinearCullPick/10000/real_time", "BM_LinearCullPick/1000/real_time"},
                                                     {"BM_Pick/1000/real_time", "BM_LinearCullPick/1000/real_time"},
                                                     {"BM_Pick/10000/real_time", "BM_LinearCullPick/10000/real_time"},
                                                     {"BM_Pick/100000/real_time", "BM_LinearCullPick/100000/real_time"},
                                                     {"BM_Pick/10000/real_time", "BM_FullPick/10000/real_time"},
                                                     {"BM_Pick/1000/real_time", "BM_ReadOnePixel/real_time"},
                                                     {"BM_Pick/10000/real_time", "BM_ReadOnePixel/real_time"}});
    scenes.clear();
    dravik::bench::closeBenchWindow(window);
    return status;
}
