#include "wall/WallLockstep.h"

#include <GL/gl.h>

#include <climits>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "app/DefaultManager.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/VisComponent.h"
#include "manipulation/KeyEvent.h"
#include "player/PlayerError.h"
#include "player/PlayerInput.h"
#include "player/Screenshot.h"
#include "wall/StateHash.h"
#include "wall/WallScreenshot.h"

namespace {

using Clock = MpiSession::Clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// NAME.png as NAME-rankN.png.
std::string rankFile(const std::string& path, unsigned rank) {
    std::filesystem::path file(path);
    const std::string name = file.stem().string() + "-rank" + std::to_string(rank) + file.extension().string();
    return (file.parent_path() / name).string();
}

const WallLayout& fitted(const WallLayout& layout, unsigned ranks) {
    layout.checkRanks(ranks);
    return layout;
}

}  // namespace

WallLockstep::WallLockstep(const WallLayout& wall, std::vector<WallFault> planted)
    : layout(fitted(wall, mpi.size())),
      views(layout, mpi.rank(), mpi.size()),
      channel(mpi, layout.timeoutSeconds),
      faults(std::move(planted)) {
    keyType = ConstantProvider::getInstance()->getEventTypeIdentifier("KEY");
}

const TickSource& WallLockstep::clock(const TickSource& local) {
    localClock = &local;
    return shared;
}

bool WallLockstep::allStarted(const std::string& failure) { return channel.allStarted(failure.empty()); }

void WallLockstep::attach(DefaultManager& scene, PlayerInput& playerInput) {
    GLint largest[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
    if (layout.displayWidth() > static_cast<unsigned>(largest[0]) ||
        layout.displayHeight() > static_cast<unsigned>(largest[1]))
        throw PlayerError("the wall is " + std::to_string(layout.displayWidth()) + " x " +
                              std::to_string(layout.displayHeight()) + " pixels, but this OpenGL draws at most " +
                              std::to_string(largest[0]) + " x " + std::to_string(largest[1]) + " through one view",
                          1);
    manager = &scene;
    input = &playerInput;
    manager->pickAtWindowCorner(true);  // a tile's window picks anywhere on the wall
}

void WallLockstep::holdTouch(const InputDispatcher::Touch& touch) {
    if (!ownsInput()) return;
    FrameMessage::Event e;
    e.type = touch.type;
    e.user = touch.user;
    e.contact = touch.contact;
    e.anonymous = touch.anonymous;
    e.x = touch.x;
    e.y = touch.y;
    message.events.push_back(e);
}

void WallLockstep::holdKey(char key, double x, double y) {
    if (!ownsInput()) return;
    FrameMessage::Event e;
    e.kind = FrameMessage::Event::Kind::Key;
    e.type = keyType;
    e.key = key;
    e.x = x;
    e.y = y;
    message.events.push_back(e);
}

void WallLockstep::plantFaults(unsigned frame, WallFault::Kind kind) {
    for (const WallFault& f : faults) {
        if (f.kind != kind || f.rank != mpi.rank() || f.frame != frame) continue;
        if (kind == WallFault::Kind::Exit) {
            std::cerr << mpi.prefix() << "leaving at frame " << frame << " (a planted fault)" << std::endl;
            std::_Exit(1);
        }
        if (kind == WallFault::Kind::Perturb && !manager->components.empty())
            manager->components.front()->position.x += 1.0;
        if (kind == WallFault::Kind::Stall)
            std::this_thread::sleep_for(std::chrono::duration<double>(2.0 * layout.timeoutSeconds));
    }
}

bool WallLockstep::startFrame(unsigned frame, bool quit, unsigned& scripted) {
    plantFaults(frame, WallFault::Kind::Exit);
    plantFaults(frame, WallFault::Kind::Perturb);
    const auto start = Clock::now();
    if (ownsInput()) {
        message.frame = frame;
        message.tick = localClock != nullptr ? localClock->getTickCount() : 0;
        message.quit = quit;
        message.scripted = scripted;
        message.encode(bytes);
    }
    channel.share(frame, bytes);
    if (!ownsInput()) {
        try {
            message.decode(bytes);
        } catch (const std::runtime_error& e) {
            mpi.abortWall(std::string("cannot read the input of frame ") + std::to_string(frame) + ": " + e.what(), 4);
        }
        if (message.frame != frame)
            mpi.abortWall("out of step: at frame " + std::to_string(frame) + ", rank 0 is at frame " +
                              std::to_string(message.frame),
                          4);
    }
    shareSeconds = secondsSince(start);
    if (message.quit) return false;
    shared.set(message.tick);
    scripted = message.scripted;
    for (const FrameMessage::Event& e : message.events) deliver(e);
    message.events.clear();
    return true;
}

void WallLockstep::deliver(const FrameMessage::Event& e) {
    if (e.kind == FrameMessage::Event::Kind::Key) {
        KeyEvent event(e.key, e.type, DravikEvent::NoUserId, e.x, e.y, 0.0, nullptr);
        manager->processEvent(&event, nullptr);
        return;
    }
    InputDispatcher::Touch touch;
    touch.type = e.type;
    touch.user = e.user;
    touch.contact = e.contact;
    touch.anonymous = e.anonymous;
    touch.x = e.x;
    touch.y = e.y;
    input->route(touch);
}

void WallLockstep::drawViews(const std::function<void(bool first, bool overview)>& draw) {
    GLint whole[4];
    glGetIntegerv(GL_VIEWPORT, whole);
    bool first = true;
    for (const WallViews::View& view : views.views()) {
        views.apply(view);
        draw(first, view.overview);
        first = false;
    }
    glDisable(GL_SCISSOR_TEST);
    glViewport(whole[0], whole[1], whole[2], whole[3]);
}

bool WallLockstep::finishFrame(unsigned frame, bool leaving) {
    plantFaults(frame, WallFault::Kind::Stall);
    auto start = Clock::now();
    const std::uint64_t hash = hashSceneState(*manager);
    const double hashSeconds = secondsSince(start);
    start = Clock::now();
    const bool anyLeaving = channel.check(frame, hash, leaving);
    stats.addFrame(shareSeconds, hashSeconds, secondsSince(start), bytes.size() + sizeof(std::uint64_t));
    return anyLeaving;
}

void WallLockstep::saveScreenshot(const Screenshot& shot, const std::string& path) {
    // Every rank sends its whole window, drawn or black, so that none waits for a missing one.
    std::vector<int> counts(mpi.size());
    long long total = 0;
    for (unsigned r = 0; r < mpi.size(); ++r) {
        const WallViews theirs(layout, r, mpi.size());
        counts[r] = static_cast<int>(3LL * theirs.windowWidth() * theirs.windowHeight());
        total += counts[r];
    }
    if (total > INT_MAX) throw PlayerError("the wall is too large to stitch into one screenshot", 1);
    std::vector<unsigned char> mine = shot.getPixels();
    mine.resize(static_cast<std::size_t>(counts[mpi.rank()]), 0);
    std::vector<unsigned char> all;
    channel.gather(mine, counts, all);
    if (mpi.rank() == 0) {
        std::vector<unsigned char> wall;
        stitchWall(layout, mpi.size(), all, wall);
        Screenshot::write(path, layout.displayWidth(), layout.displayHeight(), wall);
    }
    Screenshot::write(rankFile(path, mpi.rank()), views.windowWidth(), views.windowHeight(), mine);
}
