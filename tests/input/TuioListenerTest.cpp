// The listener on its own thread with a frame loop taking its events: run under
// ThreadSanitizer (-DDRAVIK_SANITIZE=thread) this is the check that the network thread and
// the frame thread share nothing but the queue.
#include <gtest/gtest.h>

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
    std::thread tracker([port = listener.getPort()] {
        tuio::Sender sender(port);
        for (std::int32_t f = 0; f <= 40; ++f) {
            sender.send(tuio::cursorFrame(f + 1, {1, 2}, {{1, (100.0f + f) / 400, 0.5f}, {2, 0.75f, (150.0f - f) / 300}}));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        sender.send(tuio::cursorFrame(42, {}, {}));
    });

    InputDispatcher dispatcher;
    std::vector<InputEvent> events;
    // Until the tracker's last frame is in and every touch it left has been delivered.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((listener.getStatistics().frames < 42 || queue.waitingCount() != 0 || dispatcher.contactsDown() != 0) &&
           std::chrono::steady_clock::now() < deadline) {
        queue.takeFrame(events);
        dispatcher.deliver(events, manager);
        manager.runFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    tracker.join();
    // (TUIO sends single-precision fractions of the display)
    EXPECT_NEAR(left->position.x, 140, 1e-3);
    EXPECT_NEAR(left->position.y, 150, 1e-3);
    EXPECT_NEAR(right->position.x, 300, 1e-3);
    EXPECT_NEAR(right->position.y, 190, 1e-3);
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());  // both released
    EXPECT_EQ(listener.getStatistics().frames, 42u);
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
