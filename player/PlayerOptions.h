#ifndef DRAVIK_PLAYER_PLAYEROPTIONS_H
#define DRAVIK_PLAYER_PLAYEROPTIONS_H

#include <string>
#include <vector>

// The command line of dravik-player.
struct PlayerOptions {
    std::string scenePath;       // empty: the built-in demo scene
    std::string scriptPath;      // empty: no touch script
    std::string screenshotPath;  // empty: no screenshot
    std::string grid;            // grid type the grid view shows; empty: none
    unsigned frames = 0;         // 0: run until the window is closed
    std::vector<unsigned> summaryFrames;  // frames after which the summary is printed too
    unsigned width = 1024;
    unsigned height = 768;
    bool overlay = true;
    bool help = false;

    // Reads the arguments after the program name; throws PlayerError on bad input.
    static PlayerOptions parse(const std::vector<std::string>& arguments);
    static const char* usage();
};

#endif
