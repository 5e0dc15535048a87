#ifndef DRAVIK_TESTS_TUIOPLAYERPORT_H
#define DRAVIK_TESTS_TUIOPLAYERPORT_H

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>

#include "support/PlayerProcess.h"

// The UDP port a player started with "--tuio 0" says it listens on, read from the file its
// standard output goes to; 0 when it says nothing within ten seconds.
inline unsigned awaitTuioPort(const std::filesystem::path& out) {
    const std::regex listening("listening for TUIO on UDP port ([0-9]+)");
    for (int wait = 0; wait < 1000; ++wait) {
        std::smatch m;
        const std::string said = readFile(out);
        if (std::regex_search(said, m, listening)) return static_cast<unsigned>(std::stoul(m[1]));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

#endif
