#ifndef DRAVIK_WALL_MPISESSION_H
#define DRAVIK_WALL_MPISESSION_H

#include <mpi.h>

#include <chrono>
#include <string>

// This process's part in an MPI job: joined on construction (one thread calls MPI; others,
// such as a TUIO listener, may run), left on destruction. Waits on requests with a deadline,
// since MPI itself waits for a silent rank for ever, and ends the whole job with a message
// when a wait runs out or the ranks fall out of step.
class MpiSession {
public:
    using Clock = std::chrono::steady_clock;

    MpiSession();  // throws PlayerError when MPI cannot start
    MpiSession(const MpiSession&) = delete;
    MpiSession& operator=(const MpiSession&) = delete;
    ~MpiSession();

    unsigned rank() const { return myRank; }
    unsigned size() const { return ranks; }
    std::string prefix() const { return "dravik-player: rank " + std::to_string(myRank) + ": "; }

    // Waits until the request completes; false when `deadline` passes first (the request is
    // then still pending). Polls without holding the processor, which oversubscribed ranks
    // share with the ones they wait for.
    static bool wait(MPI_Request& request, Clock::time_point deadline);
    // Prints the message with this rank's prefix and ends every rank of the job with `status`.
    [[noreturn]] void abortWall(const std::string& message, int status) const;

private:
    unsigned myRank = 0;
    unsigned ranks = 1;
};

#endif
