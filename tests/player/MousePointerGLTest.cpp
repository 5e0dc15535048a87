// The mouse in a real X window: freeglut reports the core pointer through its multi-touch
// callbacks too, and those must not make one mouse drag two users' drags. The player gets an
// X server of its own, so that windows of other tests running at the same time cannot take
// the pointer's events, and the test ends it with Escape once the drag is done.
#include <fcntl.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "support/PlayerProcess.h"

// (after the test headers: X11's macros clash with their names)
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// An Xvfb started for one test: its display number is what it writes to -displayfd.
struct PrivateXServer {
    pid_t pid = -1;
    std::string name;

    PrivateXServer() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        // (it writes the number and the newline apart: the pipe stays open until both came,
        // as the server dies of a write to a closed pipe)
        std::string number;
        char c = 0;
        while (pid > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(fds[0]);
        if (!number.empty()) name = ":" + number;
    }
    ~PrivateXServer() {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

// Whether a window of the given size is mapped on the display, within ten seconds.
bool awaitWindow(Display* display, int width, int height) {
    for (int wait = 0; wait < 1000; ++wait) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        bool found = false;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
            for (unsigned i = 0; i < count && !found; ++i) {
                XWindowAttributes a;
                found = XGetWindowAttributes(display, children[i], &a) != 0 && a.map_state == IsViewable &&
                        a.width == width && a.height == height;
            }
            XFree(children);
        }
        if (found) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

class MousePointer : public PlayerProcessTest {};

TEST_F(MousePointer, AMouseDragIsOneUsersDrag) {
    PrivateXServer server;
    ASSERT_FALSE(server.name.empty()) << "Xvfb did not start";
    Display* display = XOpenDisplay(server.name.c_str());
    ASSERT_NE(display, nullptr) << server.name;
    const std::string record = (dir / "run.touch").string();
    const std::string display0 = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
    ::setenv("DISPLAY", server.name.c_str(), 1);  // the player's
    PlayerOutcome run;
    std::thread player([&] {
        run = play("--size 400x300 --frames 3600 --no-overlay --record " + shellQuoted(record));
    });
    const bool mapped = awaitWindow(display, 400, 300);
    auto act = [display](auto&& fake) {
        fake();
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    };
    if (mapped) {
        act([&] { XTestFakeMotionEvent(display, -1, 75, 75, CurrentTime); });
        act([&] { XTestFakeButtonEvent(display, 1, True, CurrentTime); });
        for (int x = 80; x <= 125; x += 5) act([&] { XTestFakeMotionEvent(display, -1, x, 75, CurrentTime); });
        act([&] { XTestFakeButtonEvent(display, 1, False, CurrentTime); });
    }
    const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
    for (bool down : {true, false}) act([&] { XTestFakeKeyEvent(display, escape, down, CurrentTime); });
    player.join();
    ::setenv("DISPLAY", display0.c_str(), 1);
    XCloseDisplay(display);
    ASSERT_TRUE(mapped) << run.err;
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string recorded = readFile(record);
    EXPECT_NE(recorded.find(" PRESS 1 75 224\n"), std::string::npos) << recorded;
    EXPECT_NE(recorded.find(" RELEASE 1 125 224\n"), std::string::npos) << recorded;
    for (const char* other : {" PRESS 4 ", " DRAG 4 ", " RELEASE 4 "})
        EXPECT_EQ(recorded.find(other), std::string::npos) << recorded;
}
