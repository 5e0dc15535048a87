// The mouse in a real X window: freeglut reports the core pointer through its multi-touch
// callbacks too, and those must not make one mouse drag two users' drags.
#include <chrono>
#include <thread>

#include "support/PlayerProcess.h"
#include "support/TuioPlayerPort.h"

// (after the test headers: X11's macros clash with their names)
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

class MousePointer : public PlayerProcessTest {};

TEST_F(MousePointer, AMouseDragIsOneUsersDrag) {
    const std::string record = (dir / "run.touch").string();
    PlayerOutcome run;
    // (--tuio only for the line that says the window is up)
    std::thread player([&] {
        run = play("--size 400x300 --frames 90 --no-overlay --tuio 0 --record " + shellQuoted(record));
    });
    const bool started = awaitTuioPort(dir / "out") != 0;
    Display* display = XOpenDisplay(nullptr);
    if (started && display != nullptr) {
        auto act = [display](auto&& fake) {
            fake();
            XFlush(display);
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        };
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the window maps
        act([&] { XTestFakeMotionEvent(display, -1, 75, 75, CurrentTime); });
        act([&] { XTestFakeButtonEvent(display, 1, True, CurrentTime); });
        for (int x = 80; x <= 125; x += 5) act([&] { XTestFakeMotionEvent(display, -1, x, 75, CurrentTime); });
        act([&] { XTestFakeButtonEvent(display, 1, False, CurrentTime); });
    }
    player.join();
    if (display != nullptr) XCloseDisplay(display);
    ASSERT_TRUE(started) << run.err;
    ASSERT_NE(display, nullptr);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string recorded = readFile(record);
    EXPECT_NE(recorded.find(" PRESS 1 75 224\n"), std::string::npos) << recorded;
    EXPECT_NE(recorded.find(" RELEASE 1 125 224\n"), std::string::npos) << recorded;
    for (const char* other : {" PRESS 4 ", " DRAG 4 ", " RELEASE 4 "})
        EXPECT_EQ(recorded.find(other), std::string::npos) << recorded;
}
