#include "input/TuioListener.h"

TuioListener::TuioListener(InputEventQueue& queue, unsigned port, const TrackerCalibration& calibration)
    : receiver(queue, port, calibration), port(receiver.getPort()), thread([this] {
          while (!stopping.load(std::memory_order_relaxed)) receiver.receive(std::chrono::milliseconds(50));
      }) {}

TuioListener::~TuioListener() {
    stopping = true;
    thread.join();
}
