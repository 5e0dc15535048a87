#include "input/InputEventQueue.h"

#include <algorithm>

InputEventQueue::InputEventQueue(std::size_t capacity) : capacity(capacity) {}

void InputEventQueue::push(const InputEvent& event) {
    const std::lock_guard<std::mutex> lock(mutex);
    if (events.size() >= capacity) {
        ++dropped;
        return;
    }
    events.push_back(event);
    ++pushed;
}

void InputEventQueue::push(const std::vector<InputEvent>& batch) {
    const std::lock_guard<std::mutex> lock(mutex);
    const std::size_t room = capacity - std::min(capacity, events.size());
    const std::size_t taken = std::min(room, batch.size());
    events.insert(events.end(), batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(taken));
    pushed += taken;
    dropped += batch.size() - taken;
}

void InputEventQueue::takeAll(std::vector<InputEvent>& out) {
    out.clear();
    const std::lock_guard<std::mutex> lock(mutex);
    events.swap(out);
}

std::uint64_t InputEventQueue::pushedCount() const {
    const std::lock_guard<std::mutex> lock(mutex);
    return pushed;
}

std::uint64_t InputEventQueue::droppedCount() const {
    const std::lock_guard<std::mutex> lock(mutex);
    return dropped;
}
