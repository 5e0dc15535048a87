#include "wall/LockstepChannel.h"

#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr int kReportTag = 1;
constexpr int kLateStatus = 4;
constexpr int kDivergedStatus = 3;
constexpr auto kStartTimeout = std::chrono::seconds(120);  // scenes may load slowly

std::string seconds(std::chrono::nanoseconds t) {
    std::ostringstream text;
    text << std::chrono::duration<double>(t).count() << " s";
    return text.str();
}

}  // namespace

LockstepChannel::LockstepChannel(const MpiSession& session, double timeoutSeconds)
    : mpi(session), timeout(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::duration<double>(timeoutSeconds))) {}

MpiSession::Clock::time_point LockstepChannel::deadline() const { return MpiSession::Clock::now() + timeout; }

// The other ranks wait for rank 0 twice as long as rank 0 waits for them, so that a late rank
// is named by rank 0, which alone knows who is missing.
void LockstepChannel::waitOrEnd(MPI_Request& request, const std::string& late) {
    const auto patience = mpi.rank() == 0 ? timeout : 2 * timeout;
    if (!MpiSession::wait(request, MpiSession::Clock::now() + patience))
        mpi.abortWall(late + " within " + seconds(patience) + ": the wall stops", kLateStatus);
}

bool LockstepChannel::allStarted(bool ok) {
    std::vector<int> started(mpi.size(), 0);
    int mine = ok ? 1 : 0;
    MPI_Request request;
    MPI_Iallgather(&mine, 1, MPI_INT, started.data(), 1, MPI_INT, MPI_COMM_WORLD, &request);
    if (!MpiSession::wait(request, MpiSession::Clock::now() + kStartTimeout))
        mpi.abortWall("the other ranks did not start within " + seconds(kStartTimeout) + ": the wall stops", kLateStatus);
    std::string failed;
    for (unsigned r = 0; r < started.size(); ++r)
        if (started[r] == 0) failed += (failed.empty() ? "" : ", ") + std::to_string(r);
    if (!failed.empty() && mpi.rank() == 0)
        std::cerr << mpi.prefix() << "the wall cannot start: rank " << failed << " failed (see its message)" << std::endl;
    return failed.empty();
}

void LockstepChannel::share(unsigned frame, std::vector<std::uint8_t>& bytes) {
    std::uint64_t size = bytes.size();
    MPI_Request request;
    const std::string late = "rank 0 sent no input for frame " + std::to_string(frame);
    MPI_Ibcast(&size, 1, MPI_UINT64_T, 0, MPI_COMM_WORLD, &request);
    waitOrEnd(request, late);
    bytes.resize(size);
    MPI_Ibcast(bytes.data(), static_cast<int>(size), MPI_BYTE, 0, MPI_COMM_WORLD, &request);
    waitOrEnd(request, late);
}

bool LockstepChannel::check(unsigned frame, std::uint64_t hash, bool leaving) {
    const std::uint64_t mine[2] = {hash, leaving ? 1u : 0u};
    std::uint8_t anyLeaving = leaving ? 1 : 0;
    if (mpi.rank() == 0) {
        const unsigned n = mpi.size();
        reports.assign(2 * n, 0);
        requests.assign(n, MPI_REQUEST_NULL);
        for (unsigned r = 1; r < n; ++r)
            MPI_Irecv(&reports[2 * r], 2, MPI_UINT64_T, static_cast<int>(r), kReportTag, MPI_COMM_WORLD, &requests[r]);
        const auto until = deadline();
        std::string late, differing;
        for (unsigned r = 1; r < n; ++r) {
            if (!MpiSession::wait(requests[r], until)) {
                late += (late.empty() ? "" : ", ") + std::to_string(r);
                continue;
            }
            if (reports[2 * r] != hash) differing += (differing.empty() ? "" : ", ") + std::to_string(r);
            anyLeaving |= reports[2 * r + 1] != 0 ? 1 : 0;
        }
        if (!late.empty())
            mpi.abortWall("rank " + late + " did not finish frame " + std::to_string(frame) + " within " +
                              seconds(timeout) + ": the wall stops",
                          kLateStatus);
        if (!differing.empty())
            mpi.abortWall("the wall stops at frame " + std::to_string(frame) + ": the scene state of rank " +
                              differing + " differs from rank 0's",
                          kDivergedStatus);
    } else {
        MPI_Request sent;
        MPI_Isend(mine, 2, MPI_UINT64_T, 0, kReportTag, MPI_COMM_WORLD, &sent);
        waitOrEnd(sent, "rank 0 took no state of frame " + std::to_string(frame));
    }
    MPI_Request verdict;
    MPI_Ibcast(&anyLeaving, 1, MPI_UINT8_T, 0, MPI_COMM_WORLD, &verdict);
    waitOrEnd(verdict, "rank 0 did not close frame " + std::to_string(frame));
    return anyLeaving != 0;
}

void LockstepChannel::gather(const std::vector<std::uint8_t>& mine, const std::vector<int>& counts,
                             std::vector<std::uint8_t>& all) {
    std::vector<int> offsets(counts.size(), 0);
    int total = 0;
    for (std::size_t r = 0; r < counts.size(); ++r) {
        offsets[r] = total;
        total += counts[r];
    }
    if (mpi.rank() == 0) all.assign(static_cast<std::size_t>(total), 0);
    MPI_Request request;
    MPI_Igatherv(mine.data(), counts[mpi.rank()], MPI_BYTE, all.data(), counts.data(), offsets.data(), MPI_BYTE, 0,
                 MPI_COMM_WORLD, &request);
    waitOrEnd(request, "the screenshots did not all arrive");
}
