#ifndef DRAVIK_INPUT_TUIORECEIVER_H
#define DRAVIK_INPUT_TUIORECEIVER_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/Export.h"
#include "input/TrackerCalibration.h"

class InputEventQueue;

// Receives TUIO touches over UDP and queues them as input events: TUIO 1.1 fingers
// (/tuio/2Dcur, no user) and TUIO 2.0 pointers (/tuio2/ptr, with their user), coordinates
// normalised with the origin at the top left (InputEvent::Space::Normalised) after the
// tracker calibration. Packets are decoded by liblo; each tracker (told apart by the name it
// gives, or by where it sends from) has touches and frame numbers of its own; late frames
// (slightly older frame numbers) are ignored; malformed, foreign and oversized packets are
// counted and dropped.
//
// Not thread-safe: one thread receives (TuioListener runs one for a host).
class DRAVIK_API TuioReceiver {
public:
    static constexpr unsigned defaultPort = 3333;

    struct Statistics {
        std::uint64_t packets = 0;          // received by receive()
        std::uint64_t frames = 0;           // tracker frames decoded
        std::uint64_t lateFrames = 0;
        std::uint64_t rejectedPackets = 0;  // not OSC, or malformed
        std::uint64_t ignoredMessages = 0;  // OSC but not TUIO, or TUIO of another shape
        std::uint64_t ignoredTouches = 0;   // beyond the touch limit, or at no finite point
        std::uint64_t outsideTouches = 0;   // positions outside the calibrated area, dropped
    };

    // Listens on UDP `port` of every interface; port 0 takes any free port. Throws
    // InputError naming the port when it cannot (in use, not allowed), or for a calibration
    // whose area has no size.
    TuioReceiver(InputEventQueue& queue, unsigned port, const TrackerCalibration& calibration = {});
    TuioReceiver(const TuioReceiver&) = delete;
    TuioReceiver& operator=(const TuioReceiver&) = delete;
    ~TuioReceiver();

    unsigned getPort() const;
    // Waits at most `timeout` for a packet, then decodes every packet that has arrived.
    // Returns the number of packets decoded.
    std::size_t receive(std::chrono::milliseconds timeout);
    // Decodes one packet as though it had arrived over the network.
    void dispatch(const void* packet, std::size_t size);

    // Safe to call from any thread.
    Statistics getStatistics() const;

private:
    struct State;
    std::unique_ptr<State> state;
};

#endif
