#ifndef DRAVIK_PLAYER_PLAYERINPUT_H
#define DRAVIK_PLAYER_PLAYERINPUT_H

#include <memory>
#include <ostream>
#include <vector>

#include "input/InputDispatcher.h"
#include "input/InputEventQueue.h"
#include "input/TuioListener.h"
#include "player/LatencyMeter.h"
#include "player/PlayerOptions.h"
#include "player/TouchRecorder.h"
#include "player/TouchScript.h"

class DefaultManager;
class FrameLockstep;

// Every touch of the player goes through here, on the frame thread: the mouse (buttons are
// users 1, 2 and 3), touch screens (each contact a user slot of its own from 4 on, as TUIO
// 1.1 fingers), TUIO from the network (queued by the listener's thread, delivered at the
// start of the next frame) and the touch script. Each touch gets its user's indicator, is
// routed by the manager, recorded (--record) and timed from its arrival to the end of the
// frame that drew it.
//
// Window-system handlers take window coordinates (origin top left, y down) and flip them
// with the manager's display height.
class PlayerInput {
public:
    static constexpr unsigned kMouseUsers = 3;

    // Opens the TUIO port and the record file of the options; throws PlayerError when one
    // cannot be opened.
    PlayerInput(const PlayerOptions& options, DefaultManager& manager, std::ostream& errors);

    void mouseButton(int button, bool down, int x, int y);
    void mouseMotion(int x, int y);
    void touchScreenButton(int contact, bool down, int x, int y);
    void touchScreenMotion(int contact, int x, int y);
    void touchScreenLeft(int contact);  // the contact left the window: it is lifted

    // The start of frame `frame`: delivers the script's touches of the frame, then every
    // touch that the network brought since the last frame.
    void beginFrame(unsigned frame, const std::vector<TouchScript::Touch>& scripted);
    // The frame has been drawn and shown.
    void endFrame();

    // Touches go to this manager from now on (a scene loaded again); it gets the indicators.
    void setManager(DefaultManager& next);

    // Touches go to the lockstep, which delivers them to every process at the next frame's
    // start (through route), instead of to the manager at once.
    void shareThrough(FrameLockstep* lockstep) { sharing = lockstep; }
    // Shows the touch on its user's indicator and has the manager route it.
    void route(const InputDispatcher::Touch& touch);

    const LatencyMeter& getLatency() const { return latency; }
    bool hasTuio() const { return tuio != nullptr; }
    unsigned getTuioPort() const;
    void printStatistics(std::ostream& out) const;

private:
    struct TouchScreenContact {
        bool down = false;
        int x = 0, y = 0;  // where it last was, in window coordinates
    };

    TouchScreenContact* touchScreenContact(int contact);  // null for numbers out of range
    void deliverLive(const InputEvent& event);
    void deliver(const InputDispatcher::Touch& touch, bool live);
    InputEvent windowEvent(InputEvent::Phase phase, ContactSource source, std::uint32_t id, unsigned user, int x,
                           int y) const;

    DefaultManager* manager;
    InputDispatcher dispatcher{kMouseUsers + 1};
    InputEventQueue queue;
    std::unique_ptr<TuioListener> tuio;
    std::unique_ptr<TouchRecorder> recorder;
    LatencyMeter latency;
    std::vector<InputEvent> arrived;  // taken from the queue, kept across frames
    std::vector<TouchScreenContact> touchScreen;
    bool buttonsDown[kMouseUsers] = {false, false, false};
    FrameLockstep* sharing = nullptr;
    unsigned deliveryFrame = 1;  // the frame whose start the next touch comes before
};

#endif
