#include "wall/MpiSession.h"

#include <cstdlib>
#include <iostream>
#include <thread>

#include "player/PlayerError.h"

MpiSession::MpiSession() {
    int provided = 0;
    if (MPI_Init_thread(nullptr, nullptr, MPI_THREAD_FUNNELED, &provided) != MPI_SUCCESS)
        throw PlayerError("MPI could not start", 1);
    if (provided < MPI_THREAD_FUNNELED) {
        MPI_Finalize();
        throw PlayerError("this MPI does not allow other threads beside the one that calls it", 1);
    }
    int r = 0, n = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &r);
    MPI_Comm_size(MPI_COMM_WORLD, &n);
    myRank = static_cast<unsigned>(r);
    ranks = static_cast<unsigned>(n);
}

MpiSession::~MpiSession() { MPI_Finalize(); }

bool MpiSession::wait(MPI_Request& request, Clock::time_point deadline) {
    for (unsigned tries = 0;; ++tries) {
        int done = 0;
        MPI_Test(&request, &done, MPI_STATUS_IGNORE);
        if (done) return true;
        if (Clock::now() >= deadline) return false;
        if (tries < 64) std::this_thread::yield();
        else std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
}

void MpiSession::abortWall(const std::string& message, int status) const {
    std::cerr << prefix() << message << std::endl;
    MPI_Abort(MPI_COMM_WORLD, status);
    std::_Exit(status);  // MPI_Abort does not return; should it, the process still ends
}
