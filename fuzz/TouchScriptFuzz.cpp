// Feeds arbitrary text to the touch-script reader of the player and replays what it accepts.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "player/PlayerError.h"
#include "player/TouchScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        const TouchScript script = TouchScript::parse(in, "fuzz.touch");
        std::vector<TouchScript::Touch> touches;
        for (unsigned frame : {0u, 1u, 2u, 60u, 1000u, 4294967295u}) script.eventsAt(frame, touches);
    } catch (const PlayerError&) {
        // Malformed scripts are reported, which is all that is asked of them.
    }
    return 0;
}
