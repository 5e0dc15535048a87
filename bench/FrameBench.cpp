// One frame of the player's loop and one colour pick, in a 1,024 x 768 scene of 1,000
// components, against raw OpenGL loops doing the same drawing in the same run.
//
// Runs with an OpenGL context (under xvfb-run -a -s "-screen 0 1280x1024x24" where there is
// no display). Mesa's llvmpipe is told to rasterise on the calling thread (LP_NUM_THREADS=0,
// unless already set) so that the CPU times, and the ratios printed from them, hold all the
// work of a frame.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "RatioReport.h"
#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kComponents = 1000;
constexpr unsigned kSide = 24;

GLuint rectangleList = 0;  // a kSide x kSide square centred on the origin

// The benchmark's look of a component: its rectangle in its colour, from a display list.
class RectangleStrategy : public VisComponentStrategy {
protected:
    void draw(const std::vector<unsigned long>&) override {
        glColor4dv(component->color);
        glCallList(rectangleList);
    }
};

class BenchManager : public DefaultManager {
public:
    using DefaultManager::pickComponent;
};

struct Placement {
    double x, y, degrees;
    float r, g, b;
};

// The same pseudo-random layout for the scene and the raw loops.
const std::vector<Placement>& placements() {
    static const std::vector<Placement> list = [] {
        std::vector<Placement> out;
        unsigned seed = 12345;
        auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFF; };
        for (int i = 0; i < kComponents; ++i)
            out.push_back({next() % (kWidth - 40) + 20.0, next() % (kHeight - 40) + 20.0, next() % 360 * 1.0,
                           next() % 256 / 255.0f, next() % 256 / 255.0f, next() % 256 / 255.0f});
        return out;
    }();
    return list;
}

std::unique_ptr<BenchManager> sceneManager;  // made on first use, destroyed before the context

BenchManager& scene() {
    if (sceneManager == nullptr) {
        auto m = std::make_unique<BenchManager>();
        auto* table = new VisComponentGL;
        table->width = kWidth;
        table->height = kHeight;
        m->setRootComponent(table);
        m->resize(kWidth, kHeight);
        for (const Placement& p : placements()) {
            auto* c = new VisComponentGL;
            c->width = c->height = kSide;
            c->position = Point3d(p.x, p.y, 0.0);
            c->angle = p.degrees * M_PI / 180.0;
            c->color[0] = p.r;
            c->color[1] = p.g;
            c->color[2] = p.b;
            c->pushStrategy(new RectangleStrategy);
            m->addComponent(c);
        }
        sceneManager = std::move(m);
    }
    return *sceneManager;
}

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Every square under its own matrix, in its colour, drawn by `square` about the origin.
template <class DrawSquare>
void drawSquaresRaw(DrawSquare square) {
    for (const Placement& p : placements()) {
        glPushMatrix();
        glTranslated(p.x, p.y, 0.0);
        glRotated(p.degrees, 0.0, 0.0, 1.0);
        glColor3f(p.r, p.g, p.b);
        square();
        glPopMatrix();
    }
}

// Baseline: the drawing of a frame as a plain loop, one matrix and display list per square.
void BM_RawDrawing(benchmark::State& state) {
    for (auto _ : state) {
        clearFrame();
        drawSquaresRaw([] { glCallList(rectangleList); });
        glFinish();
    }
}

// A frame of the player without its swap: the manager's frame step and glFinish.
void BM_Frame(benchmark::State& state) {
    BenchManager& manager = scene();
    for (auto _ : state) {
        clearFrame();
        manager.runFrame();
        glFinish();
    }
}

// The part of a frame that is not drawing.
void BM_FrameWithoutDrawing(benchmark::State& state) {
    BenchManager& manager = scene();
    for (auto _ : state) {
        manager.processComponents();
        manager.readPassiveBuffers();
    }
}

// Baseline of a pick: every square drawn into one scissored pixel, then read back.
void BM_RawPick(benchmark::State& state) {
    const Placement& target = placements()[kComponents / 2];
    const GLint x = static_cast<GLint>(target.x), y = static_cast<GLint>(target.y);
    for (auto _ : state) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, 1, 1);
        clearFrame();
        drawSquaresRaw([] { glRectd(-(kSide / 2.0), -(kSide / 2.0), kSide / 2.0, kSide / 2.0); });
        glFinish();
        unsigned char rgb[3];
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        glDisable(GL_SCISSOR_TEST);
        benchmark::DoNotOptimize(rgb);
    }
}

// The manager's pick at the centre of a component.
void BM_PickComponent(benchmark::State& state) {
    BenchManager& manager = scene();
    const Placement& target = placements()[kComponents / 2];
    unsigned long id = 0;
    for (auto _ : state) id += manager.pickComponent(static_cast<unsigned>(target.x), static_cast<unsigned>(target.y), false);
    benchmark::DoNotOptimize(id);
}

// The read-back that every pick pays, alone: small beside the drawing of a pick.
void BM_ReadOnePixel(benchmark::State& state) {
    unsigned char rgb[3];
    for (auto _ : state) {
        glFinish();
        glReadPixels(kWidth / 2, kHeight / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        benchmark::DoNotOptimize(rgb);
    }
}

void makeRectangleList() {
    rectangleList = glGenLists(1);
    glNewList(rectangleList, GL_COMPILE);
    glRectd(-(kSide / 2.0), -(kSide / 2.0), kSide / 2.0, kSide / 2.0);
    glEndList();
}

}  // namespace

BENCHMARK(BM_RawDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameWithoutDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawPick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickComponent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadOnePixel)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    setenv("LP_NUM_THREADS", "0", 0);
    const int window = dravik::bench::openBenchWindow("FrameBench", kWidth, kHeight);
    makeRectangleList();
    const int status = dravik::bench::runWithRatios(argc, argv,
                                                    {{"BM_Frame", "BM_RawDrawing"},
                                                     {"BM_FrameWithoutDrawing", "BM_Frame"},
                                                     {"BM_PickComponent", "BM_RawPick"}});
    sceneManager.reset();
    glDeleteLists(rectangleList, 1);
    dravik::bench::closeBenchWindow(window);
    return status;
}
