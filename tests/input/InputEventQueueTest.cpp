#include <gtest/gtest.h>

#include "input/InputEventQueue.h"

namespace {

using Phase = InputEvent::Phase;

// A TUIO 2.0 contact of tracker `tracker`; `x` tells events apart, `tick` their arrival.
InputEvent event(Phase phase, std::uint32_t tracker, std::uint32_t id, double x = 0, int tick = 0) {
    InputEvent e;
    e.phase = phase;
    e.contact = contactName(ContactSource::Tuio20, id, tracker);
    e.x = x;
    e.arrival = InputEvent::Clock::time_point(std::chrono::milliseconds(tick));
    return e;
}

// What was taken, as "phase id x" words.
std::string taken(InputEventQueue& queue, bool oneFrame) {
    std::vector<InputEvent> out;
    if (oneFrame) queue.takeFrame(out);
    else queue.takeAll(out);
    std::string said;
    for (const InputEvent& e : out)
        said += std::string(e.phase == Phase::Press ? "P" : e.phase == Phase::Drag ? "D" : "R") +
                std::to_string(e.contact & 0xffffffffu) + ":" + std::to_string(static_cast<int>(e.x)) + " ";
    return said;
}

}  // namespace

TEST(InputEventQueue, DragsCoalesceAndOnlyPressesBeyondTheCapacityAreLostWithTheirContact) {
    InputEventQueue queue(2);
    queue.push({event(Phase::Press, 0, 1), event(Phase::Drag, 0, 1, 10, 5), event(Phase::Drag, 0, 1, 20, 9),
                event(Phase::Press, 0, 2), event(Phase::Press, 0, 3), event(Phase::Drag, 0, 3, 30),
                event(Phase::Release, 0, 1, 20), event(Phase::Release, 0, 3), event(Phase::Press, 0, 4),
                event(Phase::Release, 0, 2), event(Phase::Drag, 0, 4)});
    queue.push(event(Phase::Press, 1, 5));  // another tracker has room of its own
    EXPECT_EQ(queue.droppedCount(), 5u);  // press, drag and release of 3; press and drag of 4
    EXPECT_EQ(queue.waitingCount(), 6u);
    std::vector<InputEvent> out;
    queue.takeAll(out);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[1].x, 20);  // the latest position, timed from the first move
    EXPECT_EQ(out[1].arrival, InputEvent::Clock::time_point(std::chrono::milliseconds(5)));
    EXPECT_EQ(out[2].phase, Phase::Press);
    EXPECT_EQ(out[3].phase, Phase::Release);
    EXPECT_EQ(out[5].contact, contactName(ContactSource::Tuio20, 5, 1));

    // Contact 4's release ends its loss; taken presses free the room; a drag after a taken
    // drag is a new one.
    queue.push({event(Phase::Release, 0, 4), event(Phase::Press, 0, 6), event(Phase::Drag, 1, 5, 1),
                event(Phase::Press, 0, 7), event(Phase::Drag, 1, 5, 2)});
    EXPECT_EQ(queue.droppedCount(), 6u);
    EXPECT_EQ(taken(queue, false), "P6:0 D5:2 P7:0 ");
    queue.push(event(Phase::Drag, 1, 5, 3));
    EXPECT_EQ(taken(queue, false), "D5:3 ");
}

TEST(InputEventQueue, AFrameTakesAFewPressesOfEachTrackerAndTheRestWaitInOrder) {
    InputEventQueue queue(100, 2);
    for (std::uint32_t id = 1; id <= 5; ++id) {
        queue.push({event(Phase::Press, 0, id), event(Phase::Release, 0, id)});
        if (id == 3) queue.push({event(Phase::Press, 1, 9), event(Phase::Drag, 1, 9, 4), event(Phase::Release, 1, 9)});
    }
    EXPECT_EQ(taken(queue, true), "P1:0 R1:0 P2:0 R2:0 P9:0 D9:4 R9:0 ");
    EXPECT_EQ(taken(queue, true), "P3:0 R3:0 P4:0 R4:0 ");
    queue.push(event(Phase::Press, 1, 8));
    EXPECT_EQ(taken(queue, true), "P5:0 R5:0 P8:0 ");
    EXPECT_EQ(taken(queue, true), "");
    EXPECT_EQ(queue.droppedCount(), 0u);
}
