#ifndef DRAVIK_INPUT_DETAIL_TUIODECODER_H
#define DRAVIK_INPUT_DETAIL_TUIODECODER_H

#include <lo/lo.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <map>
#include <vector>

#include "input/InputEvent.h"
#include "input/TrackerCalibration.h"

class InputEventQueue;

namespace dravik::detail {

// The state of the TUIO trackers heard: which touches of each are down, and the frame being
// received from each. Fed the OSC messages of received packets one by one (liblo decodes
// them), it queues a press for every new touch, a drag for every touch that moved and a
// release for every touch that vanished from its tracker's alive list, once per tracker frame.
//
// TUIO 1.1 (/tuio/2Dcur): "alive" and "set" messages gather a frame, "fseq" ends it. TUIO 2.0
// (/tuio2/...): "frm" starts a frame, "ptr" messages gather it, "alv" ends it; the upper 16
// bits of a pointer's tu_id are its user (0: unknown). A bundle that ends without ending its
// frame ends it too (without releases when it had no alive list); a message outside any
// bundle is a bundle of its own.
//
// Trackers. Each tracker has touches and frame numbers of its own, and one tracker's alive
// list never lifts another's touches. A tracker is told apart by the name it gives (the TUIO
// 1.1 "source" message, which holds for the rest of its bundle, or the source of a TUIO 2.0
// "frm") together with the host it sends from; one that gives no name by its host and port.
// At most maxSources trackers are kept: a new one takes the place of the one heard least
// recently that has no touch down; when every one has touches down, the newcomer is ignored.
//
// Frame numbers. A frame numbered at most frameWindow below its tracker's last one arrived
// late over UDP and is ignored. Any other number is taken: a step back beyond the window is a
// tracker that started counting again, and a stray frame far ahead costs nothing, since the
// frames after it are again more than the window apart from it.
//
// Calibration. Positions go through the tracker calibration; a position outside its area is
// dropped and counted (the touch stays where it last was, or is not pressed yet).
//
// Hostile input stays bounded: at most maxTouches touches per tracker are down (presses
// beyond are ignored), messages of other shapes are ignored, and nothing grows across frames.
class TuioDecoder {
public:
    static constexpr std::size_t maxTouches = 1024;
    static constexpr std::size_t maxSources = 32;
    static constexpr std::int32_t frameWindow = 32;

    struct Counters {
        std::atomic<std::uint64_t> frames{0};
        std::atomic<std::uint64_t> lateFrames{0};
        std::atomic<std::uint64_t> ignoredMessages{0};  // not TUIO, malformed, or of a tracker too many
        std::atomic<std::uint64_t> ignoredTouches{0};   // beyond maxTouches, or not finite
        std::atomic<std::uint64_t> outsideTouches{0};   // positions outside the calibrated area
    };

    explicit TuioDecoder(InputEventQueue& queue, const TrackerCalibration& calibration = {});
    ~TuioDecoder();

    void beginBundle();
    void endBundle();
    // A message of a packet that came from `host` and `port` (empty when not known).
    void message(const char* path, const char* types, lo_arg** argv, int argc, std::string_view host = {},
                 std::string_view port = {});

    const Counters& counters() const { return count; }

private:
    struct Source;
    // The trackers a bundle speaks for, per protocol; null until a message names or needs one.
    struct Speakers {
        Source* cursors = nullptr;
        Source* pointers = nullptr;
    };

    void cursorMessage(const char* types, lo_arg** argv, int argc);
    void tuio2Message(const char* path, const char* types, lo_arg** argv, int argc);
    // The tracker of `protocol` named `name` (empty: none) at the current sender; null when
    // every place is taken by trackers with touches down.
    Source* source(ContactSource protocol, std::string_view name);
    void readAlive(Source& source, const char* types, lo_arg** argv, int first, int argc);
    void addUpdate(Source& source, std::int32_t session, unsigned user, double x, double y);
    // True when the frame is late for the tracker; otherwise it becomes the tracker's last.
    bool isLateFrame(Source& source, std::int32_t frame);
    void commit(Source& source);
    void endMessage();
    // No open bundle speaks for the tracker any more.
    void forget(const Source* source);

    InputEventQueue& queue;
    TrackerCalibration calibration;
    std::vector<std::unique_ptr<Source>> sources;
    std::uint32_t nextInstance[5] = {};  // per protocol
    std::uint64_t heard = 0;             // messages so far: when each tracker was last heard
    std::string_view senderHost, senderPort;  // of the packet being decoded
    std::string key;                          // kept across lookups
    int depth = 0;                            // bundles open
    Speakers speakers;                        // of the innermost bundle open
    std::vector<Speakers> enclosing;          // of the bundles around it
    std::vector<InputEvent> batch;            // the events of one frame, kept across frames
    Counters count;
};

}  // namespace dravik::detail

#endif
