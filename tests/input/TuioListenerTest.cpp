// The listener on its own thread with a frame loop taking its events, while a second tracker
// floods it: run under ThreadSanitizer (-DDRAVIK_SANITIZE=thread) this is the check that the
// network thread and the frame thread share nothing but the queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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
    // Both fingers move 40 steps of 1 pixel right (left finger) and up (right finger).
    std::atomic<bool> sent{false};
    std::thread tracker([port = listener.getPort(), &sent] {
        tuio::Sender sender(port);
        // (the last position and the lift sent three times each, as trackers repeat frames)
        for (std::int32_t f = 0; f <= 42; ++f) {
            const float step = std::min(f, 40);
            sender.send(tuio::cursorFrame(f + 1, {1, 2}, {{1, (100 + step) / 400, 0.5f}, {2, 0.75f, (150 - step) / 300}}));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        for (std::int32_t f = 44; f <= 46; ++f) sender.send(tuio::cursorFrame(f, {}, {}));
        sent = true;
    });
    // Meanwhile another tracker presses and releases a pointer on nothing, as fast as it can.
    std::atomic<bool> flooding{true};
    std::thread flood([port = listener.getPort(), &flooding] {
        tuio::Sender sender(port);
        std::int32_t f = 1;
        for (; flooding; f += 2) {
            sender.send(tuio::pointerFrame(f, {{f, 3, 0.5f, 0.05f}}, "flood"));
            sender.send(tuio::pointerFrame(f + 1, {}, "flood"));
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        for (int repeat = 0; repeat < 3; ++repeat) sender.send(tuio::pointerFrame(f++, {}, "flood"));
    });

    InputDispatcher dispatcher;
    std::vector<InputEvent> events;
    auto frame = [&] {
        queue.takeFrame(events);
        dispatcher.deliver(events, manager);
        manager.runFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    while (!sent) frame();
    tracker.join();
    flooding = false;
    flood.join();
    // Then until every packet that arrived has been delivered.
    for (std::uint64_t heard = 0; heard != listener.getStatistics().packets || queue.waitingCount() != 0;) {
        heard = listener.getStatistics().packets;
        for (int i = 0; i < 20; ++i) frame();
    }
    // (TUIO sends single-precision fractions of the display)
    EXPECT_NEAR(left->position.x, 140, 1e-3);
    EXPECT_NEAR(left->position.y, 150, 1e-3);
    EXPECT_NEAR(right->position.x, 300, 1e-3);
    EXPECT_NEAR(right->position.y, 190, 1e-3);
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());  // both released
    EXPECT_EQ(dispatcher.contactsDown(), 0u);
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
