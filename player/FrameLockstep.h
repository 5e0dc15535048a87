#ifndef DRAVIK_PLAYER_FRAMELOCKSTEP_H
#define DRAVIK_PLAYER_FRAMELOCKSTEP_H

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "input/InputDispatcher.h"

class DefaultManager;
class PlayerInput;
class Screenshot;
class TickSource;
struct PlayerOptions;

// Several player processes showing one scene in lockstep, each drawing its part of the
// display (the tiles of a display wall). One process owns the input; at the start of every
// frame it shares that frame's touches, keys and clock with all, every process delivers the
// same events and runs the same frame step, draws its views, and all compare their scene
// state and wait for each other before the frame is shown. The player calls it at fixed
// points of its frame; without one, it runs alone.
class FrameLockstep {
public:
    virtual ~FrameLockstep() = default;

    // The window of this process: its views side by side.
    virtual unsigned windowWidth() const = 0;
    virtual unsigned windowHeight() const = 0;
    // The process that owns the mouse, touch screen, TUIO, touch script and keys.
    virtual bool ownsInput() const = 0;
    // A point of this window (pixels, y down) as a point of the display (pixels, y down).
    virtual void toDisplayWindow(int& x, int& y) const = 0;
    // The clock the scene's frame timer reads: every frame's time is the input owner's
    // reading of `local` at the frame's start.
    virtual const TickSource& clock(const TickSource& local) = 0;

    // After start-up, on every process: `failure` says why this one could not build its window
    // and scene (empty when it did). False when any process failed; each says why.
    virtual bool allStarted(const std::string& failure) = 0;
    // The scene is built: frames deliver the shared events through `input` to `manager`.
    virtual void attach(DefaultManager& manager, PlayerInput& input) = 0;

    // Input of the owner, held until the next frame starts.
    virtual void holdTouch(const InputDispatcher::Touch& touch) = 0;
    virtual void holdKey(char key, double x, double y) = 0;
    // The start of frame `frame`: the owner shares its held input, its clock, `quit` and
    // `scripted` (how many of the events came from the touch script); every process delivers
    // the events and gets `scripted`. False when the wall ends instead.
    virtual bool startFrame(unsigned frame, bool quit, unsigned& scripted) = 0;
    // Draws every view of the window: sets its viewport and scissor and calls draw(first
    // view, whether it is an overview of the whole display).
    virtual void drawViews(const std::function<void(bool first, bool overview)>& draw) = 0;
    // Drawn, not yet shown: the processes compare their scene states and wait for each other.
    // Ends the wall (a message, a non-zero exit) when the states differ or a process is late.
    // `leaving`: this process wants to stop. True when any of them does.
    virtual bool finishFrame(unsigned frame, bool leaving) = 0;

    // Every process writes its window to its own file beside `path` (NAME-rankN.png); the
    // input owner writes the whole wall to `path`. Throws PlayerError when one cannot.
    virtual void saveScreenshot(const Screenshot& shot, const std::string& path) = 0;
    // The cost of the lockstep per frame (--stats).
    virtual void printStatistics(std::ostream& out) const = 0;
    // How this process's messages start ("dravik-player: rank 2: ").
    virtual std::string messagePrefix() const = 0;
};

// Joins the display wall that the options ask for, when they ask for one (null otherwise);
// sets the options' display size to the wall's and leaves the input (script, TUIO,
// recording) to its owner. Throws PlayerError for a bad wall or a player built without MPI.
std::unique_ptr<FrameLockstep> joinWall(PlayerOptions& options);

#endif
