#ifndef DRAVIK_PLAYER_PLAYERWINDOW_H
#define DRAVIK_PLAYER_PLAYERWINDOW_H

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/DefaultManager.h"
#include "app/WindowsFrameTimer.h"
#include "player/FixedRateClock.h"
#include "player/FrameLockstep.h"
#include "player/GridView.h"
#include "player/PlayerInput.h"
#include "player/PlayerOptions.h"
#include "player/SceneWatcher.h"
#include "player/Screenshot.h"
#include "player/TouchScript.h"

// The player's window and frame loop. Mouse buttons, touch screen contacts, TUIO touches and
// the script's touches go through PlayerInput; keys become KeyEvents for the component under
// the pointer; Esc, SIGINT and SIGTERM quit after the frame; F1 shows or hides the overlay;
// F2 shows the next type of grid in the grid view. One window per process (freeglut calls
// back into the one that is open).
//
// With --watch the scene is loaded again, between frames, when its file or a texture it asked
// for changes. A scene that loads without a problem replaces the one shown (touches in
// progress end with it; component identifiers keep counting, so that none is used twice);
// otherwise the scene shown stays and the overlay lists the problems, which also go to
// standard error. The summary describes the scene shown.
class PlayerWindow {
public:
    // Opens the window (glutInit must have run) and builds the scene in it; throws
    // PlayerError when the scene cannot be built. With a lockstep (not owned), the window
    // shows this process's part of the display and frames run in step with the others.
    PlayerWindow(const PlayerOptions& options, TouchScript script, FrameLockstep* lockstep = nullptr);
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;
    ~PlayerWindow();

    // Runs the frames of the options (or until the window closes) and writes the screenshot
    // when one was asked for; throws PlayerError when it cannot be written.
    void run();
    // Where every component ended up, one line each, by identifier: position, angle, size,
    // the scale when it is not 1, and the component it lies in when it lies in one; with
    // --stats, the frame rate and touch-to-screen times after them.
    void printSummary(std::ostream& out) const;

private:
    // The freeglut window, destroyed last so that the scene goes while its context lives.
    struct Window {
        Window(unsigned width, unsigned height, bool fullscreen, bool hideCursor);
        ~Window();
        int id = 0;
    };

    bool startFrame();  // false when the run ends instead
    void drawFrame(bool capture);
    void toDisplayWindow(int& x, int& y) const;
    void drawLatency() const;
    void drawProblems() const;
    void reloadScene();
    void usePixelProjection() const;
    double toGlobalY(int windowY) const { return static_cast<double>(height) - 1.0 - windowY; }

    void onReshape(int w, int h);
    void onMouse(int button, int state, int x, int y);
    void onMotion(int x, int y);
    void onTouch(int contact, int x, int y, int button, int state);
    void onTouchMotion(int contact, int x, int y);
    void onTouchEntry(int contact, int state);
    void onKey(unsigned char key, int x, int y);
    void onSpecialKey(int key, int x, int y);
    void onClose();

    PlayerOptions options;
    TouchScript script;
    FrameLockstep* lockstep;
    Window window;
    GridView gridView;
    unsigned width;
    unsigned height;
    FixedRateClock fixedClock;  // the time of runs with a fixed number of frames
    WindowsFrameTimer timer;
    std::unique_ptr<DefaultManager> manager;
    std::unique_ptr<PlayerInput> input;
    Screenshot screenshot;
    std::vector<TouchScript::Touch> touches;  // of the current frame, kept across frames
    unsigned frame = 0;
    unsigned long scriptedEvents = 0;
    bool quit = false;
    bool overlay;                           // shown now
    std::optional<SceneWatcher> watcher;    // with --watch
    std::vector<std::string> sceneProblems;  // listed in the overlay with --watch
    unsigned keyType;
    int corePointer = -1;  // the device whose multi-touch contacts are the mouse's events again

    friend struct PlayerCallbacks;
};

#endif
