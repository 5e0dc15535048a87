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

// One tracker frame of TUIO 1.1: source, alive (the given ids), set (each cursor), fseq.
inline Packet cursorFrame(std::int32_t frame, const std::vector<std::int32_t>& alive,
                          const std::vector<Cursor>& set) {
    lo_bundle bundle = lo_bundle_new(LO_TT_IMMEDIATE);
    lo_message source = lo_message_new();
    lo_message_add_string(source, "source");
    lo_message_add_string(source, "test@127.0.0.1");
    lo_bundle_add_message(bundle, "/tuio/2Dcur", source);
    lo_message aliveMessage = lo_message_new();
    lo_message_add_string(aliveMessage, "alive");
    for (std::int32_t id : alive) lo_message_add_int32(aliveMessage, id);
    lo_bundle_add_message(bundle, "/tuio/2Dcur", aliveMessage);
    for (const Cursor& c : set) {
        lo_message m = lo_message_new();
        lo_message_add_string(m, "set");
        lo_message_add_int32(m, c.session);
        for (float v : {c.x, c.y, 0.0f, 0.0f, 0.0f}) lo_message_add_float(m, v);
        lo_bundle_add_message(bundle, "/tuio/2Dcur", m);
    }
    lo_message fseq = lo_message_new();
    lo_message_add_string(fseq, "fseq");
    lo_message_add_int32(fseq, frame);
    lo_bundle_add_message(bundle, "/tuio/2Dcur", fseq);
    return serialise(bundle);
}

// One frame of TUIO 2.0: frm, a ptr per pointer (finger type 1 of its user), alv.
inline Packet pointerFrame(std::int32_t frame, const std::vector<Pointer>& pointers) {
    lo_bundle bundle = lo_bundle_new(LO_TT_IMMEDIATE);
    lo_message frm = lo_message_new();
    lo_message_add_int32(frm, frame);
    lo_message_add_timetag(frm, LO_TT_IMMEDIATE);
    lo_message_add_int32(frm, (1920 << 16) | 1080);
    lo_message_add_string(frm, "test");
    lo_bundle_add_message(bundle, "/tuio2/frm", frm);
    lo_message alv = lo_message_new();
    for (const Pointer& p : pointers) {
        lo_message m = lo_message_new();
        lo_message_add_int32(m, p.session);
        lo_message_add_int32(m, (p.user << 16) | 1);
        lo_message_add_int32(m, 0);
        for (float v : {p.x, p.y, 0.0f, 0.0f, 5.0f, 1.0f}) lo_message_add_float(m, v);
        lo_bundle_add_message(bundle, "/tuio2/ptr", m);
        lo_message_add_int32(alv, p.session);
    }
    lo_bundle_add_message(bundle, "/tuio2/alv", alv);
    return serialise(bundle);
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
