#ifndef DRAVIK_INPUT_TUIOLISTENER_H
#define DRAVIK_INPUT_TUIOLISTENER_H

#include <atomic>
#include <thread>

#include "framework/Export.h"
#include "input/TuioReceiver.h"

// A TuioReceiver on a thread of its own: from construction to destruction it receives TUIO
// packets and queues their events, which the frame thread takes from the queue at the start
// of each frame. The listener's thread never touches the scene.
class DRAVIK_API TuioListener {
public:
    // Opens the port at once (throws InputError as TuioReceiver does) and starts listening.
    TuioListener(InputEventQueue& queue, unsigned port, const TrackerCalibration& calibration = {});
    TuioListener(const TuioListener&) = delete;
    TuioListener& operator=(const TuioListener&) = delete;
    // Stops the thread (within a tenth of a second) and closes the port.
    ~TuioListener();

    unsigned getPort() const { return port; }
    TuioReceiver::Statistics getStatistics() const { return receiver.getStatistics(); }

private:
    TuioReceiver receiver;
    unsigned port;
    std::atomic<bool> stopping{false};
    std::thread thread;
};

#endif
