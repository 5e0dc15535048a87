#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "lifecycle/BetterAnimationStrategy.h"
#include "lifecycle/DestructionStrategy.h"
#include "support/HandClock.h"
#include "support/TestStrategies.h"

namespace {

// Writes down the parameter of every performAnimation and counts the ends.
template <class Base>
struct Recorded : Base {
    using Base::Base;
    std::vector<double> parameters;
    int ends = 0;
    void performAnimation() override { parameters.push_back(this->animationParameter); }
    void onAnimationEnd() override {
        ++ends;
        Base::onAnimationEnd();
    }
};
using RecordedAnimation = Recorded<AnimationStrategy>;
using RecordedBetterAnimation = Recorded<BetterAnimationStrategy>;

// A component with the strategy in a scene of the given frame rate.
struct Animated : ::testing::Test {
    HandClock clock;
    DravikManager manager{&clock, 0};
    VisComponent* component = nullptr;

    template <class S>
    S* place(S* strategy, double frameRate) {
        manager.frameRate = frameRate;
        component = placeComponent(manager, 50, 50, 20, 20, {strategy});
        return strategy;
    }
    void send(const char* type, VisComponent* from = nullptr) {
        DravikEvent event(eventType(type), DravikEvent::NoUserId, 0, 0, 0, from);
        component->onEvent(&event);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) manager.processComponents();
    }
    // Starts an animation of the duration at the frame rate, then changes the frame rate (the
    // step is fixed at the start): `performed` frames perform it, the next ends it for good.
    RecordedAnimation* run(double frameRate, double duration, int performed) {
        SCOPED_TRACE(testing::Message() << frameRate << " frames/s, " << duration << " s");
        auto* a = place(new RecordedAnimation, frameRate);
        a->setAnimationDuration(duration);
        send("PRESS");
        component->onEvent(nullptr);
        frames(2);
        EXPECT_FALSE(a->isAnimating()) << "only the start type starts it";
        send("START_ANIMATION");
        manager.frameRate = 100.0;
        frames(performed);
        EXPECT_EQ(a->parameters.size(), std::size_t(performed));
        EXPECT_EQ(a->ends, 0);
        frames(1);
        EXPECT_EQ(a->ends, 1);
        EXPECT_FALSE(a->isAnimating());
        frames(3);
        EXPECT_EQ(a->parameters.size(), std::size_t(performed));
        EXPECT_EQ(a->ends, 1);
        return a;
    }
};

}  // namespace

TEST_F(Animated, StepsOncePerFrameFromTheFrameRateAndDurationAtTheStart) {
    RecordedAnimation* a = run(4.0, 1.0, 5);
    EXPECT_EQ(a->parameters, (std::vector<double>{0.0, 0.25, 0.5, 0.75, 1.0}));
    EXPECT_DOUBLE_EQ(a->getAnimationParameter(), 1.25) << "the parameter keeps its last value";
    // Negative or undefined durations keep the step (0.1 after construction).
    for (double duration : {-1.0, std::nan("")})
        EXPECT_DOUBLE_EQ(run(60.0, duration, 11)->parameters.back(), 0.9999999999999999) << duration;
    // Without a frame rate or a duration the step is infinite: one frame at 0.
    EXPECT_EQ(run(0.0, 1.0, 1)->parameters, std::vector<double>{0.0});
    EXPECT_EQ(run(60.0, 0.0, 1)->parameters, std::vector<double>{0.0});
}

TEST_F(Animated, SuspendedFramesChangeNothingAndAStartRestarts) {
    auto* a = place(new RecordedAnimation, 10.0);
    send("START_ANIMATION");
    frames(3);
    component->animationsSuspended = true;
    frames(20);
    EXPECT_EQ(a->parameters.size(), 3u);
    EXPECT_EQ(a->ends, 0);
    component->animationsSuspended = false;
    send("START_ANIMATION");
    frames(1);
    EXPECT_EQ(a->parameters.back(), 0.0);
}

// A looping animation: its end hook starts the next round.
TEST_F(Animated, TheEndHookMayStartTheNextRound) {
    struct Looping : RecordedAnimation {
        void onAnimationEnd() override {
            RecordedAnimation::onAnimationEnd();
            DravikEvent again(startEventType);
            onEvent(&again);
        }
    };
    auto* a = place(new Looping, 2.0);  // three frames a round, the end in the fourth
    send("START_ANIMATION");
    frames(8);
    EXPECT_EQ(a->ends, 2);
    EXPECT_TRUE(a->isAnimating());
}

TEST_F(Animated, ClockDrivenAnimationFollowsTheFrameTimer) {
    auto* a = place(new RecordedBetterAnimation(2.0), 0.0);
    clock.now = 10.0;
    send("START_ANIMATION");
    for (const double now : {10.0, 11.0, 11.5, 12.0}) {
        component->animationsSuspended = now == 11.5;
        clock.now = now;
        frames(1);
    }
    EXPECT_EQ(a->parameters, (std::vector<double>{0.0, 0.5, 1.0}));
    EXPECT_EQ(a->ends, 0);
    clock.now = 12.001;
    frames(1);
    EXPECT_EQ(a->ends, 1);
    EXPECT_EQ(a->getAnimationParameter(), 0.0);
    EXPECT_FALSE(a->isAnimating());
}

// Durations that are not positive are refused; without a frame timer a start is ignored.
TEST(BetterAnimationStrategy, NeedsAPositiveDurationAndAFrameTimer) {
    for (double duration : {0.0, -1.0, std::nan("")}) {
        try {
            RecordedBetterAnimation refused(duration);
            ADD_FAILURE() << duration;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "ERROR in BetterAnimationStrategy::setAnimationDuration() - "
                                   "Animation duration must be greater then 0.0");
        }
    }
    auto* a = new RecordedBetterAnimation(1.5);
    EXPECT_THROW(a->setAnimationDuration(-3.0), std::invalid_argument);
    EXPECT_EQ(a->getAnimationDuration(), 1.5);

    DravikManager manager(nullptr, 0);
    VisComponent* c = placeComponent(manager, 0, 0, 10, 10, {a});
    DravikEvent start(eventType("START_ANIMATION"));
    c->onEvent(&start);
    manager.processComponents();
    EXPECT_FALSE(a->isAnimating());
    EXPECT_TRUE(a->parameters.empty());
}

TEST_F(Animated, DestructionReportsToTheComponentThatStartedIt) {
    struct Reports : VisComponentStrategy {
        std::vector<DravikEvent> received;
        void onEvent(DravikEvent* e) override { received.push_back(*e); }
    };
    auto* dying = place(new Recorded<DestructionStrategy>, 2.0);
    auto* reports = new Reports;
    VisComponent* bin = placeComponent(manager, 0, 0, 100, 100, {reports});

    send("START_ANIMATION");  // names no component
    frames(4);
    EXPECT_EQ(dying->ends, 1);
    EXPECT_TRUE(reports->received.empty());

    send("START_ANIMATION", bin);
    frames(4);
    EXPECT_EQ(dying->ends, 2);
    ASSERT_EQ(reports->received.size(), 1u);
    const DravikEvent& report = reports->received[0];
    EXPECT_EQ(std::make_tuple(report.type, report.component, report.userId, report.getCoords()),
              std::make_tuple(eventType("READY_TO_DIE"), component, DravikEvent::NoUserId, Point3d(50, 50, 0)));

    // The starter destroyed while the animation runs hears nothing (and is not touched).
    send("START_ANIMATION", bin);
    delete bin;
    frames(4);
    EXPECT_EQ(dying->ends, 3);
}
