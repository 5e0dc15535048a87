#ifndef DRAVIK_PLAYER_PLAYEROPTIONS_H
#define DRAVIK_PLAYER_PLAYEROPTIONS_H

#include <cstdint>
#include <string>
#include <vector>

#include "appearance/TextureManager.h"
#include "config/SceneLimits.h"
#include "input/TrackerCalibration.h"

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
    bool version = false;
    // Scene authors: reload the scene when its files change; only load it and report.
    bool watch = false;
    bool check = false;
    // Table operators: the whole screen, no pointer.
    bool fullscreen = false;
    bool hideCursor = false;
    // Input and measurement.
    bool tuio = false;                // listen for TUIO touches
    unsigned tuioPort = 3333;         // 0: any free port
    TrackerCalibration tuioCalibration;  // how the tracker's picture lies on the display
    std::string recordPath;           // empty: no recording
    unsigned seed = 1;                // of the random values in the scene file
    bool seedFromTime = false;        // `seed` was taken from the clock
    bool stats = false;               // print frame and touch statistics at exit
    // Scene files: problems fail the run; no line per loaded texture; what a file may ask for.
    bool strict = false;
    bool quiet = false;
    SceneLimits sceneLimits;
    // A display wall (several processes under mpirun), as given; read by the wall.
    std::string wall;         // COLSxROWS or a wall file; empty: one window shows everything
    std::string wallTile;     // WxH
    std::string wallMullion;  // pixels
    std::vector<std::string> wallFaults;  // faults planted for tests: KIND:RANK:FRAME
    std::uint64_t maxImageBytes = TextureManager::defaultMaxImageBytes;

    // Reads the arguments after the program name; throws PlayerError on bad input.
    static PlayerOptions parse(const std::vector<std::string>& arguments);
    static const char* usage();
};

#endif
