#ifndef DRAVIK_INPUT_INPUTEVENT_H
#define DRAVIK_INPUT_INPUTEVENT_H

#include <chrono>
#include <cstdint>

#include "framework/Export.h"

// One change of one touch contact, as a touch source saw it, before it becomes a DravikEvent.
//
// A contact is one finger (or pen, or mouse button) from the moment it touches to the moment
// it lifts; `contact` names it uniquely among the contacts of all sources that are down at the
// same time (see ContactSource). `user` is the user the source knows the contact belongs to,
// or AnonymousUser when the source cannot tell (TUIO 1.1 fingers, touch screens): such a
// contact is given a user slot of its own while it is down (see InputDispatcher).
struct DRAVIK_API InputEvent {
    using Clock = std::chrono::steady_clock;

    enum class Phase : std::uint8_t { Press, Drag, Release };

    // Where the coordinates are measured.
    enum class Space : std::uint8_t {
        Display,    // display pixels, origin bottom left, y up
        Normalised  // 0 ... 1 over the display, origin top left, y down (TUIO)
    };

    static constexpr unsigned AnonymousUser = 0;

    Phase phase = Phase::Press;
    Space space = Space::Display;
    std::uint64_t contact = 0;
    unsigned user = AnonymousUser;
    double x = 0.0;
    double y = 0.0;
    Clock::time_point arrival{};  // when the source received it
};

// Sources number their contacts in spaces of their own. The upper 32 bits of a contact's name
// say which source it came from: the kind of source in the low 8 of them, and which source of
// that kind in the rest (each TUIO tracker is one), so that contacts of different sources
// never share a name.
enum class ContactSource : std::uint32_t { Mouse = 1, TouchScreen = 2, Tuio11 = 3, Tuio20 = 4 };

inline std::uint64_t contactName(ContactSource source, std::uint32_t id, std::uint32_t instance = 0) {
    const std::uint32_t from = (instance << 8) | static_cast<std::uint32_t>(source);
    return (static_cast<std::uint64_t>(from) << 32) | id;
}

// The source part of a contact's name: equal for the contacts of one source.
inline std::uint32_t contactSourceOf(std::uint64_t contact) { return static_cast<std::uint32_t>(contact >> 32); }

#endif
