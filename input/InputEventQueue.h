#ifndef DRAVIK_INPUT_INPUTEVENTQUEUE_H
#define DRAVIK_INPUT_INPUTEVENTQUEUE_H

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/Export.h"
#include "input/InputEvent.h"

// Hands input events from the threads that receive them (a network listener) to the thread
// that owns the scene, which takes them at the start of each frame. Any number of threads may
// push; one thread takes.
//
// What a frame has to do for input stays bounded, whatever the sources send:
// - a drag of a contact whose previous drag is still waiting replaces that drag's position
//   (the older arrival time stays, so that touch-to-screen time counts from the first move);
// - takeFrame hands over at most `pressesPerFrame` presses of each source (see
//   contactSourceOf); the rest of that source's events wait for the next frame, in order, while
//   the other sources' events go on;
// - at most `capacity` presses of one source wait at once. A press beyond that is dropped and
//   counted as lost, and with it every later event of its contact up to its release, so that
//   no contact is left half pressed. Drags and releases of the contacts that were taken are
//   never dropped: a finger lifted during a flood is lifted.
class DRAVIK_API InputEventQueue {
public:
    static constexpr std::size_t defaultCapacity = 1024;
    static constexpr std::size_t defaultPressesPerFrame = 16;

    explicit InputEventQueue(std::size_t capacity = defaultCapacity,
                             std::size_t pressesPerFrame = defaultPressesPerFrame);
    InputEventQueue(const InputEventQueue&) = delete;
    InputEventQueue& operator=(const InputEventQueue&) = delete;

    void push(const InputEvent& event);
    void push(const std::vector<InputEvent>& events);  // in order
    // Replaces the contents of `out` with one frame's share of the queued events, oldest
    // first. `out` keeps its storage, so a frame loop that reuses it does not allocate.
    void takeFrame(std::vector<InputEvent>& out);
    // The same with no limit on presses: everything queued.
    void takeAll(std::vector<InputEvent>& out);

    std::uint64_t pushedCount() const;     // events accepted so far (a drag that replaced one counts)
    std::uint64_t droppedCount() const;    // events lost: presses beyond the capacity and their contacts' events
    std::size_t waitingCount() const;      // events queued now

private:
    struct SourceLoad {
        std::uint32_t source;
        std::size_t pressesWaiting;
        std::size_t pressesTaken;  // by the take in progress
        bool held;                 // by the take in progress: its remaining events wait
    };

    void pushLocked(const InputEvent& event);
    SourceLoad& loadOf(std::uint32_t source);
    void take(std::vector<InputEvent>& out, std::size_t pressesPerSource);

    mutable std::mutex mutex;
    std::vector<InputEvent> events;
    std::vector<InputEvent> waiting;                     // scratch of takeFrame, kept
    std::unordered_map<std::uint64_t, std::size_t> lastEventOf;  // contact -> index in events
    std::unordered_set<std::uint64_t> droppedContacts;  // until their release
    std::vector<SourceLoad> loads;
    std::size_t capacity;
    std::size_t pressesPerFrame;
    std::uint64_t pushed = 0;
    std::uint64_t dropped = 0;
};

#endif
