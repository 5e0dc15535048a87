#ifndef DRAVIK_INPUT_INPUTEVENTQUEUE_H
#define DRAVIK_INPUT_INPUTEVENTQUEUE_H

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "framework/Export.h"
#include "input/InputEvent.h"

// Hands input events from the threads that receive them (a network listener) to the thread
// that owns the scene, which takes them all at the start of each frame. Any number of threads
// may push; one thread takes.
//
// The queue holds at most `capacity` events: a source that outruns the frame loop (a flood,
// a stalled frame) cannot grow it without bound. Events beyond it are dropped and counted;
// the dispatcher copes with the touches they leave incomplete.
class DRAVIK_API InputEventQueue {
public:
    static constexpr std::size_t defaultCapacity = 65536;

    explicit InputEventQueue(std::size_t capacity = defaultCapacity);
    InputEventQueue(const InputEventQueue&) = delete;
    InputEventQueue& operator=(const InputEventQueue&) = delete;

    void push(const InputEvent& event);
    // Pushes the events in order, all or, when the queue fills up, the first of them.
    void push(const std::vector<InputEvent>& events);
    // Replaces the contents of `out` with every queued event, oldest first, and empties the
    // queue. `out` keeps its storage, so a frame loop that reuses it does not allocate.
    void takeAll(std::vector<InputEvent>& out);

    std::uint64_t pushedCount() const;   // events accepted so far
    std::uint64_t droppedCount() const;  // events refused because the queue was full

private:
    mutable std::mutex mutex;
    std::vector<InputEvent> events;
    std::size_t capacity;
    std::uint64_t pushed = 0;
    std::uint64_t dropped = 0;
};

#endif
