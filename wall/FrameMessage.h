#ifndef DRAVIK_WALL_FRAMEMESSAGE_H
#define DRAVIK_WALL_FRAMEMESSAGE_H

#include <cstdint>
#include <string>
#include <vector>

// What the rank that owns the input tells every rank at the start of a frame: the frame's
// number and clock tick, whether the wall ends, and the events to deliver before the frame
// step, in order: touches as the manager routes them and keys for the component under a
// point.
//
// On the wire, event types travel as names: identifiers are interned per process, in the
// order each process first meets a name, so they may differ between ranks.
struct FrameMessage {
    struct Event {
        enum class Kind : std::uint8_t { Touch, Key };
        Kind kind = Kind::Touch;
        unsigned type = 0;  // event type identifier (of this process)
        unsigned user = 0;
        std::uint64_t contact = 0;  // the touch's contact, as DravikEvent names it
        bool anonymous = false;     // the user is a slot lent to the contact
        double x = 0.0;  // display pixels, y up
        double y = 0.0;
        char key = 0;  // of a key
    };

    std::uint32_t frame = 0;
    std::uint32_t tick = 0;      // the frame's clock, in milliseconds
    bool quit = false;           // the wall ends before this frame
    std::uint32_t scripted = 0;  // events of the frame that came from the touch script
    std::vector<Event> events;

    void encode(std::vector<std::uint8_t>& bytes) const;
    // Throws std::runtime_error for bytes that no encode wrote.
    void decode(const std::vector<std::uint8_t>& bytes);
};

#endif
