#include "wall/FrameMessage.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "framework/ConstantProvider.h"

namespace {

constexpr std::size_t kMostNames = 255;
constexpr std::size_t kEventBytes = 1 + 1 + 1 + 4 + 8 + 1 + 8 + 8;  // kind, type, key, user, contact, x, y

template <typename Value>
void put(std::vector<std::uint8_t>& bytes, Value value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + sizeof value);
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes(bytes) {}
    template <typename Value>
    Value take() {
        Value value;
        if (bytes.size() - at < sizeof value) throw std::runtime_error("frame message cut short");
        std::memcpy(&value, bytes.data() + at, sizeof value);
        at += sizeof value;
        return value;
    }
    std::string text(std::size_t length) {
        if (bytes.size() - at < length) throw std::runtime_error("frame message cut short");
        std::string s(reinterpret_cast<const char*>(bytes.data() + at), length);
        at += length;
        return s;
    }
    bool done() const { return at == bytes.size(); }
    std::size_t left() const { return bytes.size() - at; }

private:
    const std::vector<std::uint8_t>& bytes;
    std::size_t at = 0;
};

}  // namespace

void FrameMessage::encode(std::vector<std::uint8_t>& bytes) const {
    bytes.clear();
    put(bytes, frame);
    put(bytes, tick);
    put<std::uint8_t>(bytes, quit ? 1 : 0);
    put(bytes, scripted);
    // The names of the event types used, then each event with the index of its name.
    ConstantProvider* names = ConstantProvider::getInstance();
    std::vector<unsigned> types;
    for (const Event& e : events) {
        bool known = false;
        for (unsigned t : types) known = known || t == e.type;
        if (!known) types.push_back(e.type);
    }
    if (types.size() > kMostNames) throw std::runtime_error("more than 255 event types in one frame");
    put<std::uint8_t>(bytes, static_cast<std::uint8_t>(types.size()));
    for (unsigned t : types) {
        const std::string name = names->getEventTypeName(t);
        put<std::uint8_t>(bytes, static_cast<std::uint8_t>(std::min<std::size_t>(name.size(), 255)));
        bytes.insert(bytes.end(), name.begin(), name.begin() + std::min<std::ptrdiff_t>(name.size(), 255));
    }
    put(bytes, static_cast<std::uint32_t>(events.size()));
    for (const Event& e : events) {
        std::uint8_t index = 0;
        while (types[index] != e.type) ++index;
        put(bytes, e.kind);
        put(bytes, index);
        put(bytes, e.key);
        put(bytes, static_cast<std::uint32_t>(e.user));
        put(bytes, e.contact);
        put<std::uint8_t>(bytes, e.anonymous ? 1 : 0);
        put(bytes, e.x);
        put(bytes, e.y);
    }
}

void FrameMessage::decode(const std::vector<std::uint8_t>& bytes) {
    Reader in(bytes);
    frame = in.take<std::uint32_t>();
    tick = in.take<std::uint32_t>();
    quit = in.take<std::uint8_t>() != 0;
    scripted = in.take<std::uint32_t>();
    ConstantProvider* names = ConstantProvider::getInstance();
    std::vector<unsigned> types(in.take<std::uint8_t>());
    for (unsigned& t : types) t = names->getEventTypeIdentifier(in.text(in.take<std::uint8_t>()));
    const std::uint32_t count = in.take<std::uint32_t>();
    if (count > in.left() / kEventBytes) throw std::runtime_error("frame message cut short");
    events.resize(count);
    for (Event& e : events) {
        e.kind = in.take<Event::Kind>();
        const std::uint8_t index = in.take<std::uint8_t>();
        if (index >= types.size() || (e.kind != Event::Kind::Touch && e.kind != Event::Kind::Key))
            throw std::runtime_error("frame message names no such event");
        e.type = types[index];
        e.key = in.take<char>();
        e.user = in.take<std::uint32_t>();
        e.contact = in.take<std::uint64_t>();
        e.anonymous = in.take<std::uint8_t>() != 0;
        e.x = in.take<double>();
        e.y = in.take<double>();
    }
    if (!in.done()) throw std::runtime_error("frame message too long");
}
