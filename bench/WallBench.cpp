// The display wall's lockstep against the frame it keeps in step, in the same run: the cost
// per frame of sharing rank 0's input (0 or 100 touches), hashing the scene state and
// comparing the hashes with the frame barrier; and a 2 x 2 wall's frame (every rank drawing
// its tiles of the belt scene, in lockstep) against one process drawing the whole display.
//
// Run it under mpirun with 1, 2 or 4 ranks on one display; rank 0 measures and prints, the
// others follow it frame by frame:
//   xvfb-run -a -s "-screen 0 1280x1024x24" mpirun --oversubscribe --allow-run-as-root -np 4
//     build/bench/WallBench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchWindow.h"
#include "RatioReport.h"
#include "app/WindowsFrameTimer.h"
#include "framework/ConstantProvider.h"
#include "player/PlayerOptions.h"
#include "player/SceneSource.h"
#include "wall/FrameMessage.h"
#include "wall/LockstepChannel.h"
#include "wall/SharedClock.h"
#include "wall/StateHash.h"
#include "wall/WallViews.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kWarmUpFrames = 5;
constexpr double kTimeoutSeconds = 600.0;  // followers wait while rank 0 measures alone
// What the followers run after each message (carried in its `scripted` field).
enum Step : std::uint32_t { kLockstep = 1, kWallFrame = 2 };

struct Wall {
    MpiSession mpi;
    WallLayout layout;
    LockstepChannel channel{mpi, kTimeoutSeconds};
    SharedClock clock;
    WindowsFrameTimer timer{10, clock};
    std::unique_ptr<DefaultManager> scene;  // in step on every rank
    std::unique_ptr<WallViews> views;
    FrameMessage message;
    std::vector<std::uint8_t> bytes;
    unsigned frame = 0;

    Wall() {
        layout.columns = layout.rows = 2;
        layout.tileWidth = kWidth / 2;
        layout.tileHeight = kHeight / 2;
        views = std::make_unique<WallViews>(layout, mpi.rank(), mpi.size());
    }

    // One frame of the lockstep, as every rank runs it once rank 0 has filled `message`.
    bool step() {
        ++frame;
        if (mpi.rank() == 0) message.encode(bytes);
        channel.share(frame, bytes);
        if (mpi.rank() != 0) message.decode(bytes);
        if (message.quit) return false;
        clock.set(message.tick);
        const bool draw = message.scripted == kWallFrame;
        if (draw) {
            glDisable(GL_SCISSOR_TEST);
            glClear(GL_COLOR_BUFFER_BIT);
            bool first = true;
            for (const WallViews::View& view : views->views()) {
                views->apply(view);
                if (first) scene->runFrame();
                else scene->renderAll(false, true, false);
                first = false;
            }
            glFinish();
        }
        channel.check(frame, hashSceneState(*scene), false);
        if (draw) glutSwapBuffers();
        return true;
    }
};

Wall* wall = nullptr;
std::unique_ptr<DefaultManager> alone;  // rank 0's scene drawn by one process
SharedClock aloneClock;
WindowsFrameTimer aloneTimer{10, aloneClock};

std::unique_ptr<DefaultManager> beltScene(FrameTimer* timer) {
    PlayerOptions options;
    options.scenePath = std::string(DRAVIK_SOURCE_DIR) + "/examples/belt.xml";
    options.quiet = true;
    std::srand(options.seed);
    auto scene = buildScene(options, timer);
    scene->resize(kWidth, kHeight);
    scene->pickAtWindowCorner(true);
    return scene;
}

void drawAlone() {
    static unsigned ticks = 0;
    aloneClock.set(ticks += 16);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, kWidth, kHeight);
    glClear(GL_COLOR_BUFFER_BIT);
    alone->runFrame();
    glFinish();
    glutSwapBuffers();
}

void BM_Frame(benchmark::State& state) {
    for (auto _ : state) drawAlone();
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Lockstep(benchmark::State& state) {
    FrameMessage::Event touch;
    touch.type = ConstantProvider::getInstance()->getEventTypeIdentifier("DRAG");
    wall->message.scripted = kLockstep;
    for (auto _ : state) {
        wall->message.events.assign(static_cast<std::size_t>(state.range(0)), touch);
        wall->step();
    }
    state.counters["bytes"] = static_cast<double>(wall->bytes.size() + sizeof(std::uint64_t));
    state.counters["ranks"] = wall->mpi.size();
    wall->message.events.clear();
}
BENCHMARK(BM_Lockstep)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void wallFrame() {
    wall->message.scripted = kWallFrame;
    wall->message.tick += 16;
    wall->step();
}

void BM_WallFrame(benchmark::State& state) {
    for (auto _ : state) wallFrame();
    state.counters["ranks"] = wall->mpi.size();
}
BENCHMARK(BM_WallFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the ratios to the one-process frame, and the lockstep's share of a 60 Hz frame.
int measure(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    dravik::bench::RatioCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double frame = collector.times["BM_Frame/real_time"];
    for (const char* name : {"BM_Lockstep/0/real_time", "BM_Lockstep/100/real_time", "BM_WallFrame/real_time"}) {
        const double t = collector.times[name];  // milliseconds
        std::printf("%s: %.4f ms, ratio to BM_Frame/real_time = %.4f, %.2f %% of a 60 Hz frame (%d ranks)\n", name,
                    t, frame > 0.0 ? t / frame : 0.0, t / (1000.0 / 60.0) * 100.0, int(wall->mpi.size()));
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    {
        Wall theWall;
        wall = &theWall;
        const unsigned width = theWall.mpi.rank() == 0 ? kWidth : theWall.views->windowWidth();
        const unsigned height = theWall.mpi.rank() == 0 ? kHeight : theWall.views->windowHeight();
        const int window = dravik::bench::openBenchWindow("wall bench", static_cast<int>(width), static_cast<int>(height));
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kWidth, 0, kHeight, -10000, 10000);
        glMatrixMode(GL_MODELVIEW);
        theWall.scene = beltScene(&theWall.timer);
        if (theWall.mpi.rank() == 0) {
            alone = beltScene(&aloneTimer);
            for (int i = 0; i < kWarmUpFrames; ++i) {  // textures, grids and currents made once
                drawAlone();
                wallFrame();
            }
            status = measure(argc, argv);
            theWall.message.quit = true;
            theWall.step();
            alone.reset();
        } else {
            while (theWall.step()) {
            }
        }
        theWall.scene.reset();
        dravik::bench::closeBenchWindow(window);
    }
    return status;
}
