// A pick (which component is under a touch) in scenes of 1,000 and 10,000 components at
// 1,024 x 768: the manager's pick, which draws only the components whose bounds hold the
// pixel, against the full colour pick that draws every component into the pixel, in the
// same run. The read-back of one pixel, which every pick pays, is the floor.
//
// Runs with an OpenGL context (under xvfb-run -a -s "-screen 0 1280x1024x24" where there is
// no display), with llvmpipe's default threads as a user's program has them.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

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

class BenchManager : public DefaultManager {
public:
    using DefaultManager::pickComponent;
    using DefaultManager::pickContainer;

    // The pick as it was before culling: every component drawn into the pixel.
    unsigned long fullPick(unsigned x, unsigned y) {
        glClear(GL_COLOR_BUFFER_BIT);
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_SCISSOR_TEST);
        glScissor(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        renderAll(true, true, false);
        glFinish();
        unsigned char rgb[3] = {0, 0, 0};
        glReadPixels(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        glPopAttrib();
        return VisComponent::convertColorToId(rgb);
    }
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
        c->pushStrategy(new SquareStrategy);
        if (holder != nullptr) {
            holder->addChild(c);
            holder = nullptr;
        } else {
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

BENCHMARK(BM_FullPick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickContainer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadOnePixel)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    const int window = dravik::bench::openBenchWindow("PickBench", kWidth, kHeight);
    const int status = dravik::bench::runWithRatios(argc, argv,
                                                    {{"BM_Pick/1000", "BM_FullPick/1000"},
                                                     {"BM_Pick/10000", "BM_FullPick/10000"},
                                                     {"BM_PickContainer/10000", "BM_FullPick/10000"},
                                                     {"BM_Pick/1000", "BM_ReadOnePixel"},
                                                     {"BM_Pick/10000", "BM_ReadOnePixel"}});
    scenes.clear();
    dravik::bench::closeBenchWindow(window);
    return status;
}
