#ifndef DRAVIK_WALL_LOCKSTEPCHANNEL_H
#define DRAVIK_WALL_LOCKSTEPCHANNEL_H

#include <cstdint>
#include <vector>

#include "wall/MpiSession.h"

// The messages that keep the ranks of a wall in step, over MPI. Every wait has a time-out:
// a rank that does not answer in time ends the wall with a message naming it, as does a rank
// whose scene state differs from rank 0's.
class LockstepChannel {
public:
    LockstepChannel(const MpiSession& mpi, double timeoutSeconds);

    // Start-up: false when some rank could not start (`ok` false there); rank 0 names them.
    bool allStarted(bool ok);
    // The start of frame `frame`: rank 0's `bytes` replace every other rank's.
    void share(unsigned frame, std::vector<std::uint8_t>& bytes);
    // The end of a frame, before it is shown: every rank's state hash goes to rank 0, which
    // compares them and answers every rank, so that no rank goes on before all have arrived
    // (the frame barrier). True when some rank is `leaving`.
    bool check(unsigned frame, std::uint64_t hash, bool leaving);
    // Rank 0 gets `counts[r]` bytes from each rank r, in rank order, in `all`.
    void gather(const std::vector<std::uint8_t>& mine, const std::vector<int>& counts,
                std::vector<std::uint8_t>& all);

private:
    MpiSession::Clock::time_point deadline() const;
    void waitOrEnd(MPI_Request& request, const std::string& late);

    const MpiSession& mpi;
    std::chrono::nanoseconds timeout;
    std::vector<MPI_Request> requests;        // rank 0's receives of the reports
    std::vector<std::uint64_t> reports;       // two words per rank: hash, leaving
};

#endif
