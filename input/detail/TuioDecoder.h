#ifndef DRAVIK_INPUT_DETAIL_TUIODECODER_H
#define DRAVIK_INPUT_DETAIL_TUIODECODER_H

#include <lo/lo.h>

#include <atomic>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "input/InputEvent.h"

class InputEventQueue;

namespace dravik::detail {

// The state of a TUIO source: which touches are down, and the frame being received. Fed the
// OSC messages of received packets one by one (liblo decodes them), it queues a press for
// every new touch, a drag for every touch that moved and a release for every touch that
// vanished, once per tracker frame.
//
// TUIO 1.1 (/tuio/2Dcur): "alive" and "set" messages gather a frame, "fseq" ends it. TUIO 2.0
// (/tuio2/...): "frm" starts a frame, "ptr" messages gather it, "alv" ends it; the upper 16
// bits of a pointer's tu_id are its user (0: unknown). A frame whose number is older than the
// last one seen, by at most lateFrameWindow, arrived late and is ignored; a larger step back
// means that the tracker started counting again. A bundle that ends without ending its frame
// ends it too (without releases when it had no alive list); a message outside any bundle is
// a bundle of its own.
//
// Hostile input stays bounded: at most maxTouches touches per protocol are down (presses
// beyond are ignored), messages of other shapes are ignored, and nothing grows across frames.
class TuioDecoder {
public:
    static constexpr std::size_t maxTouches = 1024;
    static constexpr std::int32_t lateFrameWindow = 1000;

    struct Counters {
        std::atomic<std::uint64_t> frames{0};
        std::atomic<std::uint64_t> lateFrames{0};
        std::atomic<std::uint64_t> ignoredMessages{0};  // not TUIO, or malformed
        std::atomic<std::uint64_t> ignoredTouches{0};   // beyond maxTouches, or not finite
    };

    explicit TuioDecoder(InputEventQueue& queue) : queue(queue) {}

    void beginBundle() { ++bundleDepth; }
    void endBundle();
    void message(const char* path, const char* types, lo_arg** argv, int argc);

    const Counters& counters() const { return count; }

private:
    struct Update {
        std::int32_t session;
        unsigned user;
        double x, y;
    };
    struct Touch {
        unsigned user;
        double x, y;
    };
    // One protocol's touches and the frame being gathered for them.
    struct Profile {
        explicit Profile(ContactSource source) : source(source) {}
        ContactSource source;
        std::unordered_map<std::int32_t, Touch> down;
        std::vector<std::int32_t> alive;  // of the frame, sorted once complete
        std::vector<Update> updates;
        bool hasAlive = false;
        bool late = false;
        bool pending = false;
        bool seenFrame = false;
        std::int32_t lastFrame = 0;
    };

    void cursorMessage(const char* types, lo_arg** argv, int argc);
    void tuio2Message(const char* path, const char* types, lo_arg** argv, int argc);
    void readAlive(Profile& profile, const char* types, lo_arg** argv, int first, int argc);
    void addUpdate(Profile& profile, std::int32_t session, unsigned user, double x, double y);
    // True when the frame number is older than the profile's last one (the frame is late);
    // otherwise it becomes the last one.
    bool isLateFrame(Profile& profile, std::int32_t frame);
    void commit(Profile& profile);
    void endMessage();

    InputEventQueue& queue;
    Profile cursors{ContactSource::Tuio11};
    Profile pointers{ContactSource::Tuio20};
    std::vector<InputEvent> batch;  // the events of one frame, kept across frames
    int bundleDepth = 0;
    Counters count;
};

}  // namespace dravik::detail

#endif
