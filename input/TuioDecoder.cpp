#include "input/detail/TuioDecoder.h"

#include <algorithm>
#include <cstring>

#include "framework/SafeNumbers.h"
#include "input/InputEventQueue.h"

namespace dravik::detail {

namespace {

// liblo's arguments lie in the packet at OSC's 4-byte alignment, not at lo_arg's 8: read
// their bytes rather than the union's members.
template <class T>
T load(const lo_arg* arg) {
    T value;
    std::memcpy(&value, static_cast<const void*>(arg), sizeof value);
    return value;
}

const char* text(const lo_arg* arg) { return reinterpret_cast<const char*>(static_cast<const void*>(arg)); }

bool readInt(char type, const lo_arg* arg, std::int32_t& value) {
    if (type == LO_INT32) {
        value = load<std::int32_t>(arg);
        return true;
    }
    if (type == LO_INT64) {  // session ids are 32-bit; keep the low bits of wider ones
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(load<std::int64_t>(arg)));
        return true;
    }
    return false;
}

bool readNumber(char type, const lo_arg* arg, double& value) {
    switch (type) {
    case LO_FLOAT: value = load<float>(arg); break;
    case LO_DOUBLE: value = load<double>(arg); break;
    case LO_INT32: value = load<std::int32_t>(arg); break;
    case LO_INT64: value = static_cast<double>(load<std::int64_t>(arg)); break;
    default: return false;
    }
    return isFiniteValue(value);
}

bool isString(char type) { return type == LO_STRING || type == LO_SYMBOL; }

}  // namespace

void TuioDecoder::endBundle() {
    if (bundleDepth == 0) return;
    if (--bundleDepth > 0) return;
    for (Profile* profile : {&cursors, &pointers})
        if (profile->pending) commit(*profile);
}

void TuioDecoder::endMessage() {
    if (bundleDepth > 0) return;
    ++bundleDepth;
    endBundle();
}

void TuioDecoder::message(const char* path, const char* types, lo_arg** argv, int argc) {
    if (std::strcmp(path, "/tuio/2Dcur") == 0) cursorMessage(types, argv, argc);
    else if (std::strncmp(path, "/tuio2/", 7) == 0) tuio2Message(path + 7, types, argv, argc);
    else ++count.ignoredMessages;
    endMessage();
}

void TuioDecoder::cursorMessage(const char* types, lo_arg** argv, int argc) {
    if (argc < 1 || !isString(types[0])) {
        ++count.ignoredMessages;
        return;
    }
    const char* command = text(argv[0]);
    Profile& p = cursors;
    if (std::strcmp(command, "alive") == 0) {
        readAlive(p, types, argv, 1, argc);
    } else if (std::strcmp(command, "set") == 0) {
        std::int32_t session = 0;
        double x = 0.0, y = 0.0;
        if (argc < 4 || !readInt(types[1], argv[1], session)) {
            ++count.ignoredMessages;
            return;
        }
        if (!readNumber(types[2], argv[2], x) || !readNumber(types[3], argv[3], y)) {
            ++count.ignoredTouches;
            return;
        }
        addUpdate(p, session, InputEvent::AnonymousUser, x, y);
    } else if (std::strcmp(command, "fseq") == 0) {
        std::int32_t frame = 0;
        if (argc < 2 || !readInt(types[1], argv[1], frame)) {
            ++count.ignoredMessages;
            return;
        }
        if (isLateFrame(p, frame)) p.late = true;
        commit(p);
    } else if (std::strcmp(command, "source") != 0) {
        ++count.ignoredMessages;
    }
}

void TuioDecoder::tuio2Message(const char* kind, const char* types, lo_arg** argv, int argc) {
    Profile& p = pointers;
    if (std::strcmp(kind, "frm") == 0) {
        std::int32_t frame = 0;
        if (argc < 1 || !readInt(types[0], argv[0], frame)) {
            ++count.ignoredMessages;
            return;
        }
        // A frame without its "alv" ends where the next one starts.
        if (p.pending) commit(p);
        p.late = isLateFrame(p, frame);
    } else if (std::strcmp(kind, "ptr") == 0) {
        std::int32_t session = 0, typeAndUser = 0, component = 0;
        double x = 0.0, y = 0.0;
        if (argc < 5 || !readInt(types[0], argv[0], session) || !readInt(types[1], argv[1], typeAndUser) ||
            !readInt(types[2], argv[2], component)) {
            ++count.ignoredMessages;
            return;
        }
        if (!readNumber(types[3], argv[3], x) || !readNumber(types[4], argv[4], y)) {
            ++count.ignoredTouches;
            return;
        }
        addUpdate(p, session, static_cast<std::uint32_t>(typeAndUser) >> 16, x, y);
    } else if (std::strcmp(kind, "alv") == 0) {
        readAlive(p, types, argv, 0, argc);
        commit(p);
    } else {
        ++count.ignoredMessages;  // other TUIO 2.0 profiles: tokens, bounds, ...
    }
}

void TuioDecoder::readAlive(Profile& p, const char* types, lo_arg** argv, int first, int argc) {
    p.pending = true;
    p.hasAlive = true;
    p.alive.clear();
    for (int i = first; i < argc; ++i) {
        std::int32_t session = 0;
        if (readInt(types[i], argv[i], session)) p.alive.push_back(session);
    }
}

void TuioDecoder::addUpdate(Profile& p, std::int32_t session, unsigned user, double x, double y) {
    p.pending = true;
    // Every update beyond one per touch that can be down is a duplicate or a flood.
    if (p.updates.size() >= maxTouches) {
        ++count.ignoredTouches;
        return;
    }
    p.updates.push_back({session, user, x, y});
}

bool TuioDecoder::isLateFrame(Profile& p, std::int32_t frame) {
    if (p.seenFrame) {
        // Frame numbers may wrap: compare their difference.
        const auto step = static_cast<std::int32_t>(static_cast<std::uint32_t>(frame) -
                                                    static_cast<std::uint32_t>(p.lastFrame));
        if (step < 0 && step >= -lateFrameWindow) {
            ++count.lateFrames;
            return true;
        }
    }
    p.seenFrame = true;
    p.lastFrame = frame;
    return false;
}

void TuioDecoder::commit(Profile& p) {
    const bool late = p.late;
    p.late = false;
    p.pending = false;
    if (late) {
        p.alive.clear();
        p.updates.clear();
        p.hasAlive = false;
        return;
    }
    ++count.frames;
    const InputEvent::Clock::time_point now = InputEvent::Clock::now();
    batch.clear();
    auto emit = [&](InputEvent::Phase phase, std::int32_t session, const Touch& t) {
        InputEvent e;
        e.phase = phase;
        e.space = InputEvent::Space::Normalised;
        e.contact = contactName(p.source, static_cast<std::uint32_t>(session));
        e.user = t.user;
        e.x = t.x;
        e.y = t.y;
        e.arrival = now;
        batch.push_back(e);
    };
    auto isAlive = [&](std::int32_t session) {
        return !p.hasAlive || std::binary_search(p.alive.begin(), p.alive.end(), session);
    };

    if (p.hasAlive) {
        std::sort(p.alive.begin(), p.alive.end());
        // Releases first, so that a new touch in the same frame may take a freed user slot.
        for (auto it = p.down.begin(); it != p.down.end();) {
            if (isAlive(it->first)) {
                ++it;
                continue;
            }
            emit(InputEvent::Phase::Release, it->first, it->second);
            it = p.down.erase(it);
        }
    }
    for (const Update& u : p.updates) {
        if (!isAlive(u.session)) continue;  // set and gone within one frame
        auto it = p.down.find(u.session);
        if (it == p.down.end()) {
            if (p.down.size() >= maxTouches) {
                ++count.ignoredTouches;
                continue;
            }
            it = p.down.emplace(u.session, Touch{u.user, u.x, u.y}).first;
            emit(InputEvent::Phase::Press, u.session, it->second);
        } else if (it->second.x != u.x || it->second.y != u.y) {
            it->second.x = u.x;
            it->second.y = u.y;
            emit(InputEvent::Phase::Drag, u.session, it->second);
        }
    }
    p.alive.clear();
    p.updates.clear();
    p.hasAlive = false;
    if (!batch.empty()) queue.push(batch);
}

}  // namespace dravik::detail
