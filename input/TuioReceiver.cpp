#include "input/TuioReceiver.h"

#include <lo/lo.h>
#include <lo/lo_lowlevel.h>

#include <atomic>
#include <string>
#include <vector>

#include "input/InputError.h"
#include "input/detail/TuioDecoder.h"

namespace {

// liblo reports errors through a plain function: it writes them where the receiver calling
// into liblo on this thread looks.
struct LibloErrors {
    std::uint64_t count = 0;
    std::string last;
};
thread_local LibloErrors libloErrors;

void noteLibloError(int, const char* message, const char*) {
    ++libloErrors.count;
    libloErrors.last = message != nullptr ? message : "unknown error";
}

constexpr int kLargestPacket = 65536;  // larger than any UDP datagram

}  // namespace

struct TuioReceiver::State {
    State(InputEventQueue& queue, const TrackerCalibration& calibration) : decoder(queue, calibration) {}
    ~State() {
        if (server != nullptr) lo_server_free(server);
    }

    static int onMessage(const char* path, const char* types, lo_arg** argv, int argc, lo_message message,
                         void* self) {
        // Where the packet came from tells trackers apart (packets handed to dispatch have no sender).
        const lo_address from = message != nullptr ? lo_message_get_source(message) : nullptr;
        const char* host = from != nullptr ? lo_address_get_hostname(from) : nullptr;
        const char* port = from != nullptr ? lo_address_get_port(from) : nullptr;
        static_cast<State*>(self)->decoder.message(path, types, argv, argc, host != nullptr ? host : "",
                                                   port != nullptr ? port : "");
        return 0;
    }
    static int onBundleStart(lo_timetag, void* self) {
        static_cast<State*>(self)->decoder.beginBundle();
        return 0;
    }
    static int onBundleEnd(void* self) {
        static_cast<State*>(self)->decoder.endBundle();
        return 0;
    }

    lo_server server = nullptr;
    dravik::detail::TuioDecoder decoder;
    std::vector<char> packet;  // a copy of a dispatched packet: liblo decodes in place
    std::atomic<std::uint64_t> packets{0};
    std::atomic<std::uint64_t> rejected{0};
};

TuioReceiver::TuioReceiver(InputEventQueue& queue, unsigned port, const TrackerCalibration& calibration) {
    if (!calibration.isValid())
        throw InputError("the tracker area has no size: width and height must be above 0");
    state = std::make_unique<State>(queue, calibration);
    if (port > 65535) throw InputError("cannot receive TUIO on UDP port " + std::to_string(port) + ": no such port");
    const std::string portText = port == 0 ? std::string() : std::to_string(port);
    libloErrors.last.clear();
    state->server = lo_server_new_with_proto(port == 0 ? nullptr : portText.c_str(), LO_UDP, noteLibloError);
    if (state->server == nullptr) {
        const std::string said = libloErrors.last.empty() ? "" : " (liblo: " + libloErrors.last + ")";
        throw InputError("cannot receive TUIO on UDP port " + std::to_string(port) +
                         ": another program listens there, or the port is not allowed" + said);
    }
    // Bundles are handled when they arrive, whatever time they are stamped with: a queue of
    // bundles stamped for later would grow without bound.
    lo_server_enable_queue(state->server, 0, 1);
    lo_server_max_msg_size(state->server, kLargestPacket);
    lo_server_add_method(state->server, nullptr, nullptr, State::onMessage, state.get());
    lo_server_add_bundle_handlers(state->server, State::onBundleStart, State::onBundleEnd, state.get());
}

TuioReceiver::~TuioReceiver() = default;

unsigned TuioReceiver::getPort() const { return static_cast<unsigned>(lo_server_get_port(state->server)); }

std::size_t TuioReceiver::receive(std::chrono::milliseconds timeout) {
    std::size_t received = 0;
    const std::uint64_t errorsBefore = libloErrors.count;
    int wait = static_cast<int>(timeout.count());
    while (lo_server_recv_noblock(state->server, wait) > 0) {
        ++received;
        wait = 0;  // then take whatever else has arrived
    }
    // lo_server_recv_noblock returns 0 for packets it rejects as well as for none at all.
    state->rejected += libloErrors.count - errorsBefore;
    state->packets += received;
    return received;
}

void TuioReceiver::dispatch(const void* packet, std::size_t size) {
    const auto* bytes = static_cast<const char*>(packet);
    state->packet.assign(bytes, bytes + size);
    const std::uint64_t errorsBefore = libloErrors.count;
    const int result = lo_server_dispatch_data(state->server, state->packet.data(), state->packet.size());
    if (result < 0 || libloErrors.count != errorsBefore) ++state->rejected;
}

TuioReceiver::Statistics TuioReceiver::getStatistics() const {
    const auto& c = state->decoder.counters();
    Statistics s;
    s.packets = state->packets;
    s.frames = c.frames;
    s.lateFrames = c.lateFrames;
    s.rejectedPackets = state->rejected;
    s.ignoredMessages = c.ignoredMessages;
    s.ignoredTouches = c.ignoredTouches;
    s.outsideTouches = c.outsideTouches;
    return s;
}
