#ifndef DRAVIK_WALL_WALLLOCKSTEP_H
#define DRAVIK_WALL_WALLLOCKSTEP_H

#include <cstdint>
#include <vector>

#include "player/FrameLockstep.h"
#include "wall/FrameMessage.h"
#include "wall/LockstepChannel.h"
#include "wall/LockstepStats.h"
#include "wall/MpiSession.h"
#include "wall/SharedClock.h"
#include "wall/WallFaults.h"
#include "wall/WallLayout.h"
#include "wall/WallViews.h"

// One rank of a display wall: the player's lockstep over MPI. Rank 0 owns the input.
class WallLockstep : public FrameLockstep {
public:
    // Joins the MPI job; throws PlayerError when the wall does not fit its ranks.
    WallLockstep(const WallLayout& layout, std::vector<WallFault> faults);

    unsigned windowWidth() const override { return views.windowWidth(); }
    unsigned windowHeight() const override { return views.windowHeight(); }
    bool ownsInput() const override { return mpi.rank() == 0; }
    void toDisplayWindow(int& x, int& y) const override { views.toDisplayWindow(x, y); }
    const TickSource& clock(const TickSource& local) override;

    bool allStarted(const std::string& failure) override;
    void attach(DefaultManager& manager, PlayerInput& input) override;

    void holdTouch(const InputDispatcher::Touch& touch) override;
    void holdKey(char key, double x, double y) override;
    bool startFrame(unsigned frame, bool quit, unsigned& scripted) override;
    void drawViews(const std::function<void(bool first, bool overview)>& draw) override;
    bool finishFrame(unsigned frame, bool leaving) override;

    void saveScreenshot(const Screenshot& shot, const std::string& path) override;
    void printStatistics(std::ostream& out) const override { stats.print(out); }
    std::string messagePrefix() const override { return mpi.prefix(); }

private:
    void plantFaults(unsigned frame, WallFault::Kind kind);
    void deliver(const FrameMessage::Event& event);

    MpiSession mpi;
    WallLayout layout;
    WallViews views;
    LockstepChannel channel;
    std::vector<WallFault> faults;
    SharedClock shared;
    const TickSource* localClock = nullptr;  // the owner's
    DefaultManager* manager = nullptr;
    PlayerInput* input = nullptr;
    FrameMessage message;            // kept across frames
    std::vector<std::uint8_t> bytes;
    unsigned keyType;
    double shareSeconds = 0.0;       // of the frame being run
    LockstepStats stats;
};

#endif
