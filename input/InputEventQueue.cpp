#include "input/InputEventQueue.h"

#include <limits>
#include <vector>

InputEventQueue::InputEventQueue(std::size_t capacity, std::size_t pressesPerFrame)
    : capacity(capacity), pressesPerFrame(pressesPerFrame == 0 ? 1 : pressesPerFrame) {}

InputEventQueue::SourceLoad& InputEventQueue::loadOf(std::uint32_t source) {
    for (SourceLoad& load : loads)
        if (load.source == source) return load;
    return loads.emplace_back(SourceLoad{source, 0, 0, false});
}

void InputEventQueue::pushLocked(const InputEvent& event) {
    if (droppedContacts.count(event.contact) != 0) {
        if (event.phase == InputEvent::Phase::Release) droppedContacts.erase(event.contact);
        ++dropped;
        return;
    }
    auto last = lastEventOf.find(event.contact);
    if (event.phase == InputEvent::Phase::Drag && last != lastEventOf.end() &&
        events[last->second].phase == InputEvent::Phase::Drag) {
        events[last->second].x = event.x;
        events[last->second].y = event.y;
        ++pushed;
        return;
    }
    if (event.phase == InputEvent::Phase::Press) {
        SourceLoad& load = loadOf(contactSourceOf(event.contact));
        if (load.pressesWaiting >= capacity) {
            droppedContacts.insert(event.contact);
            ++dropped;
            return;
        }
        ++load.pressesWaiting;
    }
    lastEventOf[event.contact] = events.size();
    events.push_back(event);
    ++pushed;
}

void InputEventQueue::push(const InputEvent& event) {
    const std::lock_guard<std::mutex> lock(mutex);
    pushLocked(event);
}

void InputEventQueue::push(const std::vector<InputEvent>& batch) {
    const std::lock_guard<std::mutex> lock(mutex);
    for (const InputEvent& event : batch) pushLocked(event);
}

void InputEventQueue::take(std::vector<InputEvent>& out, std::size_t pressesPerSource) {
    out.clear();
    const std::lock_guard<std::mutex> lock(mutex);
    if (events.empty()) return;
    for (SourceLoad& load : loads) load.pressesTaken = 0, load.held = false;
    waiting.clear();
    for (const InputEvent& event : events) {
        SourceLoad& load = loadOf(contactSourceOf(event.contact));
        if (!load.held && event.phase == InputEvent::Phase::Press) {
            load.held = load.pressesTaken == pressesPerSource;
            if (!load.held) {
                ++load.pressesTaken;
                --load.pressesWaiting;
            }
        }
        (load.held ? waiting : out).push_back(event);
    }
    events.swap(waiting);
    std::erase_if(loads, [](const SourceLoad& load) { return load.pressesWaiting == 0; });  // sources come and go
    lastEventOf.clear();
    for (std::size_t i = 0; i < events.size(); ++i) lastEventOf[events[i].contact] = i;
}

void InputEventQueue::takeFrame(std::vector<InputEvent>& out) { take(out, pressesPerFrame); }

void InputEventQueue::takeAll(std::vector<InputEvent>& out) { take(out, std::numeric_limits<std::size_t>::max()); }

std::uint64_t InputEventQueue::pushedCount() const {
    const std::lock_guard<std::mutex> lock(mutex);
    return pushed;
}

std::uint64_t InputEventQueue::droppedCount() const {
    const std::lock_guard<std::mutex> lock(mutex);
    return dropped;
}

std::size_t InputEventQueue::waitingCount() const {
    const std::lock_guard<std::mutex> lock(mutex);
    return events.size();
}
