#ifndef DRAVIK_TESTS_TUIOPACKETS_H
#define DRAVIK_TESTS_TUIOPACKETS_H

// TUIO packets as trackers send them, built with liblo, for tests, benchmarks and fuzz seeds.
// Programs that include this link liblo.

#include <arpa/inet.h>
#include <lo/lo.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace tuio {

using Packet = std::vector<char>;

struct Cursor {  // a TUIO 1.1 finger: session id, position (0 ... 1, y down)
    std::int32_t session;
    float x, y;
};

struct Pointer {  // a TUIO 2.0 pointer of a user
    std::int32_t session;
    std::int32_t user;
    float x, y;
};

inline Packet serialise(lo_bundle bundle) {
    std::size_t size = 0;
    void* data = lo_bundle_serialise(bundle, nullptr, &size);
    Packet packet(static_cast<char*>(data), static_cast<char*>(data) + size);
    free(data);
    lo_bundle_free_recursive(bundle);
    return packet;
}

// A message on its own, outside any bundle.
inline Packet messageOf(const char* path, lo_message message) {
    std::size_t size = 0;
    void* data = lo_message_serialise(message, path, nullptr, &size);
    Packet packet(static_cast<char*>(data), static_cast<char*>(data) + size);
    free(data);
    lo_message_free(message);
    return packet;
}

// One tracker frame of TUIO 1.1: source (unless null), alive (the given ids), set (each
// cursor), fseq.
inline Packet cursorFrame(std::int32_t frame, const std::vector<std::int32_t>& alive,
                          const std::vector<Cursor>& set, const char* source = "test@127.0.0.1") {
    lo_bundle bundle = lo_bundle_new(LO_TT_IMMEDIATE);
    auto message = [&] {  // the next message of the bundle, filled in by the caller
        lo_message m = lo_message_new();
        lo_bundle_add_message(bundle, "/tuio/2Dcur", m);
        return m;
    };
    if (source != nullptr) lo_message_add(message(), "ss", "source", source);
    lo_message aliveMessage = message();
    lo_message_add_string(aliveMessage, "alive");
    for (std::int32_t id : alive) lo_message_add_int32(aliveMessage, id);
    for (const Cursor& c : set) lo_message_add(message(), "sifffff", "set", c.session, c.x, c.y, 0.0f, 0.0f, 0.0f);
    lo_message_add(message(), "si", "fseq", frame);
    return serialise(bundle);
}

// One frame of TUIO 2.0 from the tracker named `source`: frm, a ptr per pointer (finger type 1
// of its user), alv.
inline Packet pointerFrame(std::int32_t frame, const std::vector<Pointer>& pointers, const char* source = "test") {
    lo_bundle bundle = lo_bundle_new(LO_TT_IMMEDIATE);
    lo_message frm = lo_message_new();
    lo_message_add(frm, "itis", frame, LO_TT_IMMEDIATE, (1920 << 16) | 1080, source);
    lo_bundle_add_message(bundle, "/tuio2/frm", frm);
    lo_message alv = lo_message_new();
    for (const Pointer& p : pointers) {
        lo_message m = lo_message_new();
        lo_message_add(m, "iiiffffff", p.session, (p.user << 16) | 1, 0, p.x, p.y, 0.0f, 0.0f, 5.0f, 1.0f);
        lo_bundle_add_message(bundle, "/tuio2/ptr", m);
        lo_message_add_int32(alv, p.session);
    }
    lo_bundle_add_message(bundle, "/tuio2/alv", alv);
    return serialise(bundle);
}

// One bundle holding the given packets (bundles or messages) as its elements, as a relay
// that gathers several trackers sends them.
inline Packet bundleOf(const std::vector<Packet>& elements) {
    Packet packet{'#', 'b', 'u', 'n', 'd', 'l', 'e', '\0', 0, 0, 0, 0, 0, 0, 0, 1};  // time: immediately
    for (const Packet& e : elements) {
        const std::uint32_t size = htonl(static_cast<std::uint32_t>(e.size()));
        packet.insert(packet.end(), reinterpret_cast<const char*>(&size), reinterpret_cast<const char*>(&size) + 4);
        packet.insert(packet.end(), e.begin(), e.end());
    }
    return packet;
}

// Sends packets to a UDP port of 127.0.0.1, as a tracker on the same machine would.
class Sender {
public:
    explicit Sender(unsigned port) : fd(socket(AF_INET, SOCK_DGRAM, 0)) {
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    Sender(const Sender&) = delete;
    Sender& operator=(const Sender&) = delete;
    ~Sender() { close(fd); }
    bool send(const Packet& packet) const {
        return sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) ==
               static_cast<ssize_t>(packet.size());
    }

private:
    int fd;
    sockaddr_in to{};
};

}  // namespace tuio

#endif
