// Pinches at the rate of a busy table: 20 users with two fingers each (TUIO 2.0 pointers of
// their user), every finger moving in every bundle, 200 bundles a second over loopback,
// received by the listener's thread and taken by a frame loop at 60 frames a second that
// routes every touch to 20 photos that turn with one finger, pinch with two and toss.
// Reports the events lost (aim: none), the fingers left down after the last bundle lifted them
// all (aim: none), and the delay from a packet's decoding to its
// delivery against the frame period (aim: below one frame). In the same run, the cost per
// event of a pinch (two fingers on a photo) against a one-finger drag turning it (aim: at
// most 2x), both through the manager's routing without the network.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "InputFrames.h"
#include "RatioReport.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/VisComponent.h"
#include "input/InputDispatcher.h"
#include "input/InputEventQueue.h"
#include "input/TuioListener.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/MultiTouchTransformStrategy.h"
#include "manipulation/TossableStrategy.h"
#include "support/TuioPackets.h"

namespace {

using namespace dravik::bench;
constexpr int kUsers = 20;
constexpr int kBundlesPerSecond = 200;

VisComponent* addPhoto(DravikManager& manager, double x, double y) {
    auto* photo = new VisComponent;
    photo->position = Point3d(x, y, 0);
    photo->width = 180;
    photo->height = 120;
    photo->pushStrategy(new LazyRNTStrategy);
    photo->pushStrategy(new MultiTouchTransformStrategy);
    photo->pushStrategy(new TossableStrategy);
    manager.addComponent(photo);
    return photo;
}

void BM_GestureFlood(benchmark::State& state) {
    const int bundles = static_cast<int>(state.range(0)) * kBundlesPerSecond;
    for (auto _ : state) {
        DravikManager manager(nullptr, 0);
        manager.resize(1000, 1000);
        for (int u = 0; u < kUsers; ++u) addPhoto(manager, 100 + (u % 5) * 200, 125 + (u / 5) * 250);
        InputEventQueue queue;
        TuioListener listener(queue, 0);
        InputDispatcher dispatcher;
        std::atomic<bool> sent{false};
        const auto start = Clock::now();
        std::thread tracker([&] {
            tuio::Sender sender(listener.getPort());
            std::vector<tuio::Pointer> fingers(2 * kUsers);
            for (int b = 0; b < bundles; ++b) {
                const float spread = 0.02f + (b % 50) / 2000.0f;  // the fingers part and close again
                for (int u = 0; u < kUsers; ++u) {
                    const float x = 0.1f + (u % 5) * 0.2f, y = 1.0f - (0.125f + (u / 5) * 0.25f);
                    fingers[2 * u] = {2 * u, u + 1, x - spread, y};
                    fingers[2 * u + 1] = {2 * u + 1, u + 1, x + spread, y + spread / 2};
                }
                sender.send(tuio::pointerFrame(b + 1, fingers));
                std::this_thread::sleep_until(start + std::chrono::microseconds(1000000 / kBundlesPerSecond) * (b + 1));
            }
            sender.send(tuio::pointerFrame(bundles + 1, {}));
            sent = true;
        });
        std::vector<double> delays;
        const std::uint64_t delivered = runFramesUntilSent(sent, queue, dispatcher, manager, delays);
        tracker.join();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // A drag still waiting takes the place of the contact's previous one: what a frame
        // delivers is each finger's latest point. Lost are events the queue dropped and touches
        // the dispatcher refused (a drag or release without its press).
        state.counters["delivered"] = static_cast<double>(delivered);
        state.counters["lost"] = static_cast<double>(queue.droppedCount() + dispatcher.refusedCount());
        state.counters["down_at_end"] = static_cast<double>(dispatcher.contactsDown());
        state.counters["delay_median_ms"] = quantile(delays, 0.5);
        state.counters["delay_p99_ms"] = quantile(delays, 0.99);
        state.counters["delay_per_frame"] = quantile(delays, 0.5) / std::chrono::duration<double, std::milli>(kFramePeriod).count();
    }
}

// Drags of `fingers` fingers of user 1 on one photo, in turn, each moving to and fro.
void dragOnePhoto(benchmark::State& state, int fingers) {
    DravikManager manager(nullptr, 0);
    manager.resize(1000, 1000);
    addPhoto(manager, 500, 500);
    ConstantProvider* names = ConstantProvider::getInstance();
    std::vector<DravikEvent> drags;
    for (int f = 0; f < fingers; ++f) {
        DravikEvent press(names->getEventTypeIdentifier("PRESS"), 1, 440 + 120 * f, 500);
        press.setContact(f + 1, false);
        manager.processEvent(&press, nullptr);
        drags.push_back(press);
        drags.back().type = names->getEventTypeIdentifier("DRAG");
    }
    std::size_t n = 0;
    for (auto _ : state) {
        DravikEvent& drag = drags[n % drags.size()];
        drag.y = 500 + ((n / drags.size()) % 2 == 0 ? 0.5 : -0.5);
        manager.processEvent(&drag, nullptr);
        ++n;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OneFingerTurnEvent(benchmark::State& state) { dragOnePhoto(state, 1); }
void BM_PinchEvent(benchmark::State& state) { dragOnePhoto(state, 2); }

}  // namespace

BENCHMARK(BM_OneFingerTurnEvent);
BENCHMARK(BM_PinchEvent);
BENCHMARK(BM_GestureFlood)->Arg(5)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return dravik::bench::runWithRatios(argc, argv, {{"BM_PinchEvent", "BM_OneFingerTurnEvent"}});
}
