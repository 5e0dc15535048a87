// The listener on its own thread with a frame loop taking its events, while a second tracker
// floods it: run under ThreadSanitizer (-DDRAVIK_SANITIZE=thread) this is the check that the
// network thread and the frame thread share nothing but the queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "input/InputDispatcher.h"
#include "input/InputError.h"
#include "input/InputEventQueue.h"
#include "input/TuioListener.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "support/TestStrategies.h"
#include "support/TuioPackets.h"

TEST(TuioListener, TwoFingersOverLoopbackDragTwoComponentsWhileFramesRun) {
    DravikManager manager(nullptr, 0);
    manager.resize(400, 300);
    VisComponent* left = makeComponent(100, 150, 60, 60);
    VisComponent* right = makeComponent(300, 150, 60, 60);
    for (VisComponent* c : {left, right}) {
        c->pushStrategy(new LazyTranslationStrategy);
        manager.addComponent(c);
    }

    InputEventQueue queue;
    TuioListener listener(queue, 0);
    ASSERT_NE(listener.getPort(), 0u);
    // UDP over loopback loses packets when the flood fills the socket's buffer, so the tracker
    // does what real trackers do: it repeats its last frame (with a new frame number) until
    // the table shows it, first the fingers at their last position, then the lift.
    enum Phase { Moving, AtTarget, Released };
    std::atomic<int> phase{Moving};
    std::thread tracker([port = listener.getPort(), &phase] {
        tuio::Sender sender(port);
        // Both fingers move 40 steps of 1 pixel right (left finger) and up (right finger).
        std::int32_t f = 0;
        for (; f <= 40 || phase == Moving; ++f) {
            const float step = std::min(f, 40);
            sender.send(tuio::cursorFrame(f + 1, {1, 2}, {{1, (100 + step) / 400, 0.5f}, {2, 0.75f, (150 - step) / 300}}));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        for (; phase != Released; ++f) {
            sender.send(tuio::cursorFrame(f + 1, {}, {}));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    // Meanwhile another tracker presses and releases a pointer on nothing, as fast as it can.
    std::atomic<bool> flooding{true};
    std::thread flood([port = listener.getPort(), &flooding] {
        tuio::Sender sender(port);
        for (std::int32_t f = 1; flooding; f += 2) {
            sender.send(tuio::pointerFrame(f, {{f, 3, 0.5f, 0.05f}}, "flood"));
            sender.send(tuio::pointerFrame(f + 1, {}, "flood"));
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    });

    InputDispatcher dispatcher;
    std::vector<InputEvent> events;
    // (TUIO sends single-precision fractions of the display)
    auto atTarget = [&] {
        return std::abs(left->position.x - 140) < 1e-3 && std::abs(left->position.y - 150) < 1e-3 &&
               std::abs(right->position.x - 300) < 1e-3 && std::abs(right->position.y - 190) < 1e-3;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (phase != Released && std::chrono::steady_clock::now() < deadline) {
        queue.takeFrame(events);
        dispatcher.deliver(events, manager);
        manager.runFrame();
        if (phase == Moving && atTarget()) phase = AtTarget;
        if (phase == AtTarget && dispatcher.contactsDown() == 0) phase = Released;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const bool released = phase == Released;
    phase = Released;
    flooding = false;
    tracker.join();
    flood.join();
    EXPECT_TRUE(released) << "the fingers were not at their last position and lifted within 20 s";
    EXPECT_TRUE(atTarget());  // the lift moved nothing
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());  // both released
}

TEST(TuioListener, APortInUseIsAClearError) {
    InputEventQueue queue;
    TuioListener first(queue, 0);
    try {
        TuioListener second(queue, first.getPort());
        FAIL() << "two listeners on one port";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("UDP port " + std::to_string(first.getPort()) + ": another program"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_THROW(TuioListener(queue, 70000), InputError);
}
