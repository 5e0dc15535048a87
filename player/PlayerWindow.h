#ifndef DRAVIK_PLAYER_PLAYERWINDOW_H
#define DRAVIK_PLAYER_PLAYERWINDOW_H

#include <memory>
#include <ostream>
#include <vector>

#include "app/DefaultManager.h"
#include "app/WindowsFrameTimer.h"
#include "player/FixedRateClock.h"
#include "player/GridView.h"
#include "player/PlayerOptions.h"
#include "player/Screenshot.h"
#include "player/TouchScript.h"

// The player's window and frame loop. Mouse buttons become the touches of users 1 (left),
// 2 (middle) and 3 (right); keys become KeyEvents for the component under the pointer; Esc
// quits; F2 shows the next type of grid in the grid view. Touches of the script are delivered at the start of their frame. One window per
// process (freeglut calls back into the one that is open).
class PlayerWindow {
public:
    // Opens the window (glutInit must have run) and builds the scene in it; throws
    // PlayerError when the scene cannot be built.
    PlayerWindow(const PlayerOptions& options, TouchScript script);
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;
    ~PlayerWindow();

    // Runs the frames of the options (or until the window closes) and writes the screenshot
    // when one was asked for; throws PlayerError when it cannot be written.
    void run();
    // Where every component ended up, one line each, by identifier: position, angle, size,
    // the scale when it is not 1, and the component it lies on when it lies on one.
    void printSummary(std::ostream& out) const;

private:
    // The freeglut window, destroyed last so that the scene goes while its context lives.
    struct Window {
        Window(unsigned width, unsigned height);
        ~Window();
        int id = 0;
    };

    void drawFrame(bool capture);
    void usePixelProjection() const;
    void deliver(unsigned type, unsigned user, double x, double y);
    double toGlobalY(int windowY) const { return static_cast<double>(height) - 1.0 - windowY; }

    void onReshape(int w, int h);
    void onMouse(int button, int state, int x, int y);
    void onMotion(int x, int y);
    void onKey(unsigned char key, int x, int y);
    void onSpecialKey(int key, int x, int y);
    void onClose();

    PlayerOptions options;
    TouchScript script;
    Window window;
    GridView gridView;
    unsigned width;
    unsigned height;
    FixedRateClock fixedClock;  // the time of runs with a fixed number of frames
    WindowsFrameTimer timer;
    std::unique_ptr<DefaultManager> manager;
    Screenshot screenshot;
    std::vector<TouchScript::Touch> touches;  // of the current frame, kept across frames
    bool buttonsDown[3] = {false, false, false};
    unsigned frame = 0;
    unsigned long scriptedEvents = 0;
    bool quit = false;
    unsigned pressType, dragType, releaseType, keyType;

    friend struct PlayerCallbacks;
};

#endif
