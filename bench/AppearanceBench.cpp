// Frames of bordered components and of a captured subtree, against the same drawing done
// directly in the same run:
//   - 1,000 components with a BorderStrategy each, through the manager's frame step, against
//     a raw OpenGL loop drawing the same outlines (one matrix, width, colour and list each);
//   - a 256 x 256 component with 100 bordered children captured into a texture and drawn
//     from it, against the same subtree drawn directly.
//
// Runs with an OpenGL context (under xvfb-run -a -s "-screen 0 1280x1024x24" where there is
// no display), with llvmpipe's own rasteriser threads, as a user's program runs: the frames
// are timed in real time, each ending in glFinish.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "RatioReport.h"
#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "appearance/BorderStrategy.h"
#include "appearance/FramebufferObjectBeginStrategy.h"
#include "appearance/FramebufferObjectEndStrategy.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kColumns = 40, kRows = 25;  // 1,000 bordered components
constexpr unsigned kSide = 20;
constexpr double kBorderColour[4] = {1.0, 0.8, 0.2, 1.0};

// A component's place in the grid of bordered components, turned a little each.
struct Placement {
    double x, y, degrees;
};

std::vector<Placement> gridPlacements() {
    std::vector<Placement> out;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column)
            out.push_back({12.0 + column * 25.0, 12.0 + row * 30.0, (row * kColumns + column) % 90 * 1.0});
    return out;
}

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

// Times `frame`, after a few untimed ones: llvmpipe compiles code for each new combination
// of drawing state the first time it meets it.
template <class Frame>
void timeFrames(benchmark::State& state, Frame frame) {
    for (int i = 0; i < 5; ++i) frame();
    for (auto _ : state) frame();
}

// The outlines of the bordered components drawn by a plain loop: each under its own matrix,
// with its line width and colour, from its own display list (as fast as one shared list
// under llvmpipe, which is slower calling one list many times in a frame).
class RawBorders {
public:
    RawBorders() : placements(gridPlacements()) {
        const double h = kSide * 0.5;
        first = glGenLists(static_cast<GLsizei>(placements.size()));
        for (std::size_t i = 0; i < placements.size(); ++i) {
            glNewList(first + static_cast<GLuint>(i), GL_COMPILE);
            glEnable(GL_LINE_SMOOTH);
            glBegin(GL_LINE_LOOP);
            glVertex3d(-h, -h, 0.0);
            glVertex3d(h, -h, 0.0);
            glVertex3d(h, h, 0.0);
            glVertex3d(-h, h, 0.0);
            glEnd();
            glDisable(GL_LINE_SMOOTH);
            glEndList();
        }
    }
    RawBorders(const RawBorders&) = delete;
    RawBorders& operator=(const RawBorders&) = delete;
    ~RawBorders() { glDeleteLists(first, static_cast<GLsizei>(placements.size())); }

    void frame() const {
        clearFrame();
        for (std::size_t i = 0; i < placements.size(); ++i) {
            const Placement& p = placements[i];
            glPushMatrix();
            glTranslated(p.x, p.y, 0.0);
            glRotated(p.degrees, 0.0, 0.0, 1.0);
            glLineWidth(1.5f);
            glColor4d(kBorderColour[0], kBorderColour[1], kBorderColour[2], kBorderColour[3]);
            glCallList(first + static_cast<GLuint>(i));
            glPopMatrix();
        }
        glFinish();
    }

private:
    std::vector<Placement> placements;
    GLuint first = 0;
};

// Baseline of the bordered frame.
void BM_RawBorders(benchmark::State& state) {
    const RawBorders raw;
    timeFrames(state, [&] { raw.frame(); });
}

// The manager's frame step over 1,000 components carrying a BorderStrategy each.
void BM_BorderedFrame(benchmark::State& state) {
    DefaultManager manager;
    manager.resize(kWidth, kHeight);
    for (const Placement& p : gridPlacements()) {
        auto* c = new VisComponentGL;
        c->width = c->height = kSide;
        c->position = Point3d(p.x, p.y, 0.0);
        c->angle = p.degrees * M_PI / 180.0;
        auto* border = new BorderStrategy;
        border->setColor(kBorderColour);
        c->pushStrategy(border);
        manager.addComponent(c);
    }
    timeFrames(state, [&] {
        clearFrame();
        manager.runFrame();
        glFinish();
    });
}

// Fills the component's rectangle in its colour.
class Fill : public VisComponentStrategy {
protected:
    void draw(const std::vector<unsigned long>&) override {
        const double hw = component->width * 0.5, hh = component->height * 0.5;
        glColor4dv(component->color);
        glRectd(-hw, -hh, hw, hh);
    }
};

// A 256 x 256 tray with 100 filled and bordered children, captured while `captured`.
void runSubtree(benchmark::State& state, bool captured) {
    DefaultManager manager;
    manager.resize(kWidth, kHeight);
    auto* tray = new VisComponentGL;
    tray->width = tray->height = 256;
    tray->position = Point3d(kWidth / 2.0, kHeight / 2.0, 0.0);
    tray->color[2] = 0.5;
    tray->pushStrategy(new FramebufferObjectBeginStrategy);
    tray->pushStrategy(new Fill);
    tray->pushStrategy(new FramebufferObjectEndStrategy);
    for (int i = 0; i < 100; ++i) {
        auto* c = new VisComponentGL;
        c->width = c->height = kSide;
        c->position = tray->position + Point3d((i % 10 - 4.5) * 24.0, (i / 10 - 4.5) * 24.0, 0.0);
        c->angle = i * 0.1;
        c->color[1] = i / 100.0;
        c->pushStrategy(new Fill);
        auto* border = new BorderStrategy;
        border->setColor(kBorderColour);
        c->pushStrategy(border);
        tray->addChild(c);
    }
    manager.addComponent(tray);
    if (captured) {
        DravikEvent enable(ConstantProvider::getInstance()->getEventTypeIdentifier("ENABLE_FRAMEBUFFER_OBJECT_RENDERING"),
                           DravikEvent::NoUserId, 0.0, 0.0);
        manager.processEvent(&enable, tray);
    }
    timeFrames(state, [&] {
        clearFrame();
        manager.runFrame();
        glFinish();
    });
}

void BM_SubtreeDirect(benchmark::State& state) { runSubtree(state, false); }
void BM_SubtreeCaptured(benchmark::State& state) { runSubtree(state, true); }

}  // namespace

BENCHMARK(BM_RawBorders)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BorderedFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SubtreeDirect)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SubtreeCaptured)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    const int window = dravik::bench::openBenchWindow("AppearanceBench", kWidth, kHeight);
    // A second of outlines first: llvmpipe compiles code for the drawing states on first use.
    const RawBorders warmUp;
    for (int i = 0; i < 60; ++i) warmUp.frame();
    const int status = dravik::bench::runWithRatios(
        argc, argv,
        {{"BM_BorderedFrame/real_time", "BM_RawBorders/real_time"},
         {"BM_SubtreeCaptured/real_time", "BM_SubtreeDirect/real_time"}});
    dravik::bench::closeBenchWindow(window);
    return status;
}
