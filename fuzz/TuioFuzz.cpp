// Feeds raw packets to the TUIO receiver's decoding (liblo's OSC reading and the TUIO
// state), and the events they make to the dispatcher, as packets off the network would be.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "input/InputDispatcher.h"
#include "input/InputEventQueue.h"
#include "input/TuioReceiver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static InputEventQueue queue;
    static TuioReceiver receiver(queue, 0);  // state carries over from packet to packet, as in a run
    static InputDispatcher dispatcher;
    static std::vector<InputEvent> events;
    receiver.dispatch(data, size);
    queue.takeAll(events);
    InputDispatcher::Touch touch;
    for (const InputEvent& e : events) dispatcher.translate(e, 1920, 1080, touch);
    return 0;
}
