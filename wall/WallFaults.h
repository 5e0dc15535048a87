#ifndef DRAVIK_WALL_WALLFAULTS_H
#define DRAVIK_WALL_WALLFAULTS_H

#include <string>
#include <vector>

// Faults planted in one rank of a wall, so that tests can see the wall end as it must
// (--wall-test-fault KIND:RANK:FRAME): `exit` leaves the process at the start of the frame
// without a word to the others, `perturb` moves a component of that rank by a pixel at the
// start of the frame, `stall` holds the rank before the end of the frame longer than the
// wall's time-out.
struct WallFault {
    enum class Kind { Exit, Perturb, Stall };
    Kind kind;
    unsigned rank;
    unsigned frame;

    // Throws PlayerError for a text that names no fault.
    static std::vector<WallFault> parse(const std::vector<std::string>& texts);
};

#endif
