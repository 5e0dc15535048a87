// The player's input hub, driven by calling its window-system handlers directly (the
// virtual X server has no touch device).
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "player/PlayerInput.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

constexpr int kSize = GLContextEnvironment::kSize;
constexpr int kTop = kSize - 1;  // window y of global y 0

class PlayerInputGL : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        manager.resize(kSize, kSize);
        for (double x : {60.0, 180.0}) {
            strategies.push_back(new RecordingStrategy(&log, "c"));
            components.push_back(placeComponent<VisComponentGL>(manager, x, 60, 40, 40, {new PickableStrategy, strategies.back()}));
        }
    }

    std::vector<unsigned long> selected() const { return manager.getSelectedComponentIds(); }
    const VisComponent* indicator(unsigned user) const {
        return user <= manager.touchIndicators.size() ? manager.touchIndicators[user - 1] : nullptr;
    }

    DefaultManager manager;
    std::vector<std::string> log;
    std::vector<VisComponent*> components;
    std::vector<RecordingStrategy*> strategies;
    std::ostringstream errors;
};

}  // namespace

TEST_F(PlayerInputGL, TouchScreenContactsAreUsersOfTheirOwnWhileDown) {
    PlayerInput input(PlayerOptions{}, manager, errors);
    for (unsigned user : {1u, 2u, 3u}) EXPECT_NE(indicator(user), nullptr) << user;  // the mouse's users

    input.touchScreenButton(7, true, 60, kTop - 60);
    input.touchScreenButton(3, true, 180, kTop - 60);
    EXPECT_EQ(selected(), (std::vector<unsigned long>{components[0]->id, components[1]->id}));
    EXPECT_EQ(std::make_pair(strategies[0]->lastUser, strategies[1]->lastUser), std::make_pair(4u, 5u));
    input.touchScreenMotion(7, 70, kTop - 65);
    input.touchScreenMotion(8, 1, 1);  // never pressed
    EXPECT_EQ(strategies[0]->events, 2);
    ASSERT_TRUE(indicator(4) != nullptr && indicator(5) != nullptr);
    EXPECT_EQ(indicator(4)->position, Point3d(70, 65, 0));

    input.touchScreenLeft(7);  // left the window: lifted where it was
    EXPECT_EQ(strategies[0]->events, 3);
    EXPECT_EQ(indicator(4)->position, Point3d(70, 65, 0));
    EXPECT_EQ(selected(), std::vector<unsigned long>{components[1]->id});
    input.touchScreenButton(9, true, 60, kTop - 60);  // the freed slot
    EXPECT_EQ(strategies[0]->lastUser, 4u);

    input.mouseButton(2, true, 60, kTop - 60);  // the right button is user 3
    EXPECT_EQ(strategies[0]->lastUser, 3u);
    input.mouseButton(5, true, 60, kTop - 60);  // wheel: no touch
    input.touchScreenButton(-1, true, 60, kTop - 60);
    input.touchScreenButton(1 << 20, true, 60, kTop - 60);
    EXPECT_EQ(strategies[0]->events, 5);
}

TEST_F(PlayerInputGL, RecordsEveryTouchAtTheFrameItPreceded) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "dravik-record-test.touch";
    PlayerOptions options;
    options.recordPath = path.string();
    {
        PlayerInput input(options, manager, errors);
        input.beginFrame(1, {{eventType("PRESS"), 1, DravikEvent::OnlyContact, false, 60.25, 60}});
        input.endFrame();
        input.mouseButton(1, true, 180, kTop - 60);  // between frames 1 and 2
        input.beginFrame(2, {{eventType("DRAG"), 1, DravikEvent::OnlyContact, false, 1e-7, 61}});
        input.endFrame();
    }
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(path);
    EXPECT_EQ(text.substr(text.find('\n') + 1), "1 PRESS 1 60.25 60\n2 PRESS 2 180 60\n2 DRAG 1 1e-07 61\n");
    EXPECT_TRUE(errors.str().empty());

    // A recording that fails says so once; the touches still reach the scene.
    options.recordPath = "/dev/full";
    PlayerInput input(options, manager, errors);
    for (unsigned frame = 1; frame <= 3; ++frame) {
        input.beginFrame(frame, {{eventType("PRESS"), 2, DravikEvent::OnlyContact, false, 180, 60}});
        input.endFrame();
    }
    EXPECT_EQ(errors.str(),
              "dravik-player: cannot write touch recording /dev/full (No space left on device); recording stopped, "
              "the run goes on\n");
    EXPECT_EQ(strategies[1]->lastUser, 2u);
}
