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

struct TuioDecoder::Source {
    struct Update {
        std::int32_t session;
        unsigned user;
        double x, y;
    };
    struct Touch {
        unsigned user;
        double x, y;
    };

    ContactSource protocol = ContactSource::Tuio11;
    std::uint32_t instance = 0;
    std::string key;
    std::uint64_t lastHeard = 0;
    std::map<std::int32_t, Touch> down;  // ordered: releases come in the order of their ids
    std::vector<std::int32_t> alive;  // of the frame, sorted once complete
    std::vector<Update> updates;
    bool hasAlive = false;
    bool late = false;
    bool pending = false;
    bool seenFrame = false;
    std::int32_t lastFrame = 0;
};

TuioDecoder::TuioDecoder(InputEventQueue& queue, const TrackerCalibration& calibration)
    : queue(queue), calibration(calibration) {}

TuioDecoder::~TuioDecoder() = default;

void TuioDecoder::beginBundle() {
    if (depth == 0) speakers = {};
    else enclosing.push_back(speakers);  // an inner bundle speaks for its outer one's trackers
    ++depth;
}

void TuioDecoder::endBundle() {
    if (depth == 0) return;
    if (--depth > 0) {
        speakers = enclosing.back();
        enclosing.pop_back();
        return;
    }
    for (const auto& s : sources)
        if (s->pending) commit(*s);
    speakers = {};
}

void TuioDecoder::endMessage() {
    if (depth > 0) return;
    beginBundle();
    endBundle();
}

void TuioDecoder::message(const char* path, const char* types, lo_arg** argv, int argc, std::string_view host,
                          std::string_view port) {
    if (depth == 0) speakers = {};
    senderHost = host;
    senderPort = port;
    ++heard;
    if (std::strcmp(path, "/tuio/2Dcur") == 0) cursorMessage(types, argv, argc);
    else if (std::strncmp(path, "/tuio2/", 7) == 0) tuio2Message(path + 7, types, argv, argc);
    else ++count.ignoredMessages;
    endMessage();
}

TuioDecoder::Source* TuioDecoder::source(ContactSource protocol, std::string_view name) {
    key.assign(1, static_cast<char>('0' + static_cast<int>(protocol)));
    if (name.empty()) key.append(senderHost).append(1, ':').append(senderPort);
    else key.append(name).append(1, '\n').append(senderHost);

    Source* found = nullptr;
    Source* replaceable = nullptr;
    for (const auto& s : sources) {
        if (s->key == key) {
            found = s.get();
            break;
        }
        if (s->down.empty() && !s->pending && (replaceable == nullptr || s->lastHeard < replaceable->lastHeard))
            replaceable = s.get();
    }
    if (found == nullptr) {
        if (sources.size() < maxSources) {
            sources.push_back(std::make_unique<Source>());
            found = sources.back().get();
        } else if (replaceable != nullptr) {
            found = replaceable;
            forget(found);
            *found = Source();
        } else {
            return nullptr;
        }
        found->protocol = protocol;
        found->key = key;
        found->instance = nextInstance[static_cast<int>(protocol)]++;
    }
    found->lastHeard = heard;
    return found;
}

void TuioDecoder::forget(const Source* gone) {
    auto clear = [gone](Speakers& s) {
        if (s.cursors == gone) s.cursors = nullptr;
        if (s.pointers == gone) s.pointers = nullptr;
    };
    clear(speakers);
    for (Speakers& s : enclosing) clear(s);
}

void TuioDecoder::cursorMessage(const char* types, lo_arg** argv, int argc) {
    if (argc < 1 || !isString(types[0])) {
        ++count.ignoredMessages;
        return;
    }
    const char* command = text(argv[0]);
    if (std::strcmp(command, "source") == 0) {
        if (argc < 2 || !isString(types[1])) ++count.ignoredMessages;
        else speakers.cursors = source(ContactSource::Tuio11, text(argv[1]));
        return;
    }
    if (speakers.cursors == nullptr) speakers.cursors = source(ContactSource::Tuio11, {});
    if (speakers.cursors == nullptr) {
        ++count.ignoredMessages;
        return;
    }
    Source& s = *speakers.cursors;
    if (std::strcmp(command, "alive") == 0) {
        readAlive(s, types, argv, 1, argc);
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
        addUpdate(s, session, InputEvent::AnonymousUser, x, y);
    } else if (std::strcmp(command, "fseq") == 0) {
        std::int32_t frame = 0;
        if (argc < 2 || !readInt(types[1], argv[1], frame)) {
            ++count.ignoredMessages;
            return;
        }
        if (isLateFrame(s, frame)) s.late = true;
        commit(s);
    } else {
        ++count.ignoredMessages;
    }
}

void TuioDecoder::tuio2Message(const char* kind, const char* types, lo_arg** argv, int argc) {
    if (std::strcmp(kind, "frm") == 0) {
        std::int32_t frame = 0;
        if (argc < 1 || !readInt(types[0], argv[0], frame)) {
            ++count.ignoredMessages;
            return;
        }
        const bool named = argc >= 4 && isString(types[3]);
        speakers.pointers = source(ContactSource::Tuio20, named ? text(argv[3]) : "");
        if (speakers.pointers == nullptr) {
            ++count.ignoredMessages;
            return;
        }
        Source& s = *speakers.pointers;
        if (s.pending) commit(s);  // a frame without its "alv" ends where the next one starts
        s.late = isLateFrame(s, frame);
        return;
    }
    const bool pointer = std::strcmp(kind, "ptr") == 0, alive = std::strcmp(kind, "alv") == 0;
    if (!pointer && !alive) {
        ++count.ignoredMessages;  // other TUIO 2.0 profiles: tokens, bounds, ...
        return;
    }
    if (speakers.pointers == nullptr) speakers.pointers = source(ContactSource::Tuio20, {});
    if (speakers.pointers == nullptr) {
        ++count.ignoredMessages;
        return;
    }
    Source& s = *speakers.pointers;
    if (alive) {
        readAlive(s, types, argv, 0, argc);
        commit(s);
        return;
    }
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
    addUpdate(s, session, static_cast<std::uint32_t>(typeAndUser) >> 16, x, y);
}

void TuioDecoder::readAlive(Source& s, const char* types, lo_arg** argv, int first, int argc) {
    s.pending = true;
    s.hasAlive = true;
    s.alive.clear();
    for (int i = first; i < argc; ++i) {
        std::int32_t session = 0;
        if (readInt(types[i], argv[i], session)) s.alive.push_back(session);
    }
}

void TuioDecoder::addUpdate(Source& s, std::int32_t session, unsigned user, double x, double y) {
    s.pending = true;
    if (!calibration.apply(x, y)) {
        ++count.outsideTouches;
        return;
    }
    // Every update beyond one per touch that can be down is a duplicate or a flood.
    if (s.updates.size() >= maxTouches) {
        ++count.ignoredTouches;
        return;
    }
    s.updates.push_back({session, user, x, y});
}

bool TuioDecoder::isLateFrame(Source& s, std::int32_t frame) {
    if (s.seenFrame) {
        // Frame numbers may wrap: compare their difference.
        const auto step = static_cast<std::int32_t>(static_cast<std::uint32_t>(frame) -
                                                    static_cast<std::uint32_t>(s.lastFrame));
        if (step < 0 && step >= -frameWindow) {
            ++count.lateFrames;
            return true;
        }
    }
    s.seenFrame = true;
    s.lastFrame = frame;
    return false;
}

void TuioDecoder::commit(Source& s) {
    const bool late = s.late;
    s.late = false;
    s.pending = false;
    if (late) {
        s.alive.clear();
        s.updates.clear();
        s.hasAlive = false;
        return;
    }
    ++count.frames;
    const InputEvent::Clock::time_point now = InputEvent::Clock::now();
    batch.clear();
    auto emit = [&](InputEvent::Phase phase, std::int32_t session, const Source::Touch& t) {
        InputEvent e;
        e.phase = phase;
        e.space = InputEvent::Space::Normalised;
        e.contact = contactName(s.protocol, static_cast<std::uint32_t>(session), s.instance);
        e.user = t.user;
        e.x = t.x;
        e.y = t.y;
        e.arrival = now;
        batch.push_back(e);
    };
    auto isAlive = [&](std::int32_t session) {
        return !s.hasAlive || std::binary_search(s.alive.begin(), s.alive.end(), session);
    };

    if (s.hasAlive) {
        std::sort(s.alive.begin(), s.alive.end());
        // Releases first, so that a new touch in the same frame may take a freed user slot.
        for (auto it = s.down.begin(); it != s.down.end();) {
            if (isAlive(it->first)) {
                ++it;
                continue;
            }
            emit(InputEvent::Phase::Release, it->first, it->second);
            it = s.down.erase(it);
        }
    }
    for (const Source::Update& u : s.updates) {
        if (!isAlive(u.session)) continue;  // set and gone within one frame
        auto it = s.down.find(u.session);
        if (it == s.down.end()) {
            if (s.down.size() >= maxTouches) {
                ++count.ignoredTouches;
                continue;
            }
            it = s.down.emplace(u.session, Source::Touch{u.user, u.x, u.y}).first;
            emit(InputEvent::Phase::Press, u.session, it->second);
        } else if (it->second.x != u.x || it->second.y != u.y) {
            it->second.x = u.x;
            it->second.y = u.y;
            emit(InputEvent::Phase::Drag, u.session, it->second);
        }
    }
    s.alive.clear();
    s.updates.clear();
    s.hasAlive = false;
    if (!batch.empty()) queue.push(batch);
}

}  // namespace dravik::detail
