#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "Touches.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"

namespace {

constexpr double kPi = 3.141592653589793;
const double kNaN = std::nan(""), kInf = std::numeric_limits<double>::infinity();

// Remembers whether the last step had to pull the position back onto the display.
class RecordedRNT : public LazyRNTStrategy {
public:
    bool lastClamped = false;

protected:
    bool applyRNT(double x, double y) override { return lastClamped = RNTStrategy::applyRNT(x, y); }
};

// Components in a 1024 x 768 scene; events go to them directly.
struct Manipulation : ::testing::Test {
    DravikManager manager{nullptr, 0};
    void SetUp() override { manager.resize(1024, 768); }

    // A square component; with `leftArea`, a button grid holding that area over its left half
    // (component x < 0) and "NO_BUTTON" over the right half.
    VisComponent* place(double x, double y, unsigned side, VisComponentStrategy* strategy,
                        const char* leftArea = nullptr) {
        VisComponent* c = makeComponent(x, y, side, side);
        if (leftArea != nullptr) {
            ConstantProvider* names = ConstantProvider::getInstance();
            auto* grid = new IBuffer<unsigned char>(names->getBufferTypeIdentifier("BUTTON_BUFFER"), 1, side, side,
                                                    side, side);
            grid->fill(static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON")));
            for (unsigned row = 0; row < side; ++row)
                std::fill_n(grid->rows[row], side / 2, static_cast<unsigned char>(names->getButtonBufferValue(leftArea)));
            c->addActiveBuffer(new IBufferProxy(grid->type, grid));
        }
        c->pushStrategy(strategy);
        manager.addComponent(c);
        return c;
    }
};

}  // namespace

TEST_F(Manipulation, TranslationFollowsTheHolderFromTheTranslationArea) {
    VisComponent* c = place(200, 200, 100, new TranslationStrategy, "TRANSLATION_AREA");  // area: x < 200
    send(c, "PRESS", 1, 400, 400);  // outside: nothing
    send(c, "PRESS", 1, 230, 200);  // off the area: held, not moving
    send(c, "PRESS", 2, 180, 200);  // taken
    send(c, "DRAG", 1, 260, 200);
    send(c, "DRAG", 2, 190, 200);
    EXPECT_TRUE(isAt(c, 200, 200));
    send(c, "RELEASE", 2, 190, 200);  // not the holder
    send(c, "RELEASE", 1, 260, 200);

    pressAndDrag(c, 2, {{170.7, 190.2}, {180.7, 195.2}});  // from the press point
    EXPECT_TRUE(isAt(c, 210, 205));
    send(c, "DRAG", 1, 400, 400);
    send(c, "DRAG", 2, 181.2, 185.2);  // from the previous drag, fractions kept
    EXPECT_TRUE(isAt(c, 210.5, 195));
    send(c, "RELEASE", 2, 181.2, 185.2);
    send(c, "DRAG", 2, 300, 300);
    EXPECT_TRUE(isAt(c, 210.5, 195));

    VisComponent* gridless = place(600, 200, 100, new TranslationStrategy);
    stroke(gridless, 1, {{640, 240}, {650, 250}});
    EXPECT_TRUE(isAt(gridless, 600, 200)) << "no grid: \"NO_BUTTON\", held only";
}

// Lazy translation and lazy RNT need no grid. A press at (640, 400) and a drag to (600, 440)
// move the first by (-40, 40) and turn the second a quarter around its position.
TEST_F(Manipulation, LazyStrategiesIgnoreBadPointsAndANonFiniteReleaseLetsGo) {
    for (bool turns : {false, true}) {
        VisComponentStrategy* strategy = turns ? static_cast<VisComponentStrategy*>(new LazyRNTStrategy)
                                               : new LazyTranslationStrategy;
        VisComponent* c = place(600, 400, 200, strategy);
        auto expectMoved = [&](int times) {
            EXPECT_NEAR(c->angle, turns ? times * kPi / 2 : 0.0, 1e-12) << turns;
            EXPECT_TRUE(turns ? isAt(c, 600, 400) : isAt(c, 600 - 40 * times, 400 + 40 * times)) << turns;
        };
        c->onEvent(nullptr);
        send(c, "RELEASE", 1, 600, 400);  // without a press
        send(c, "DRAG", 4, 300, 300);     // a user holding nothing
        pressAndDrag(c, 1, {{kNaN, 400}, {650, 450}});
        expectMoved(0);
        send(c, "PRESS", 1, 640, 400);
        for (double bad : {kNaN, kInf, -kInf}) {
            send(c, "DRAG", 1, bad, 400);
            send(c, "DRAG", 1, 630, bad);
        }
        send(c, "DRAG", 1, 600, 440);  // from the last finite point, the press
        expectMoved(1);
        send(c, "RELEASE", 1, kNaN, kInf);  // lets go wherever it was lifted
        send(c, "DRAG", 1, 700, 300);
        expectMoved(1);
        stroke(c, 2, {{640, 400}, {600, 440}});  // free for the next user
        expectMoved(2);
    }
}

TEST_F(Manipulation, RNTTurnsAroundThePositionAndMovesAlongTheRay) {
    VisComponent* c = place(500, 400, 200, new RNTStrategy, "RNT_AREA");  // area: x < 500
    pressAndDrag(c, 1, {{460, 400}, {500, 360}});  // from 40 to the left a quarter turn at the same distance: turns only
    EXPECT_NEAR(c->angle, kPi / 2, 1e-12);
    EXPECT_TRUE(isAt(c, 500, 400));
    send(c, "DRAG", 1, 500, 340);  // straight away: the centre follows, the distance stays 40
    EXPECT_TRUE(isAt(c, 500, 380));
    send(c, "RELEASE", 2, 500, 340);  // another user's release: still held
    send(c, "DRAG", 1, 500, 370);     // back towards it
    EXPECT_TRUE(isAt(c, 500, 410));
    EXPECT_NEAR(c->angle, kPi / 2, 1e-12);
    send(c, "RELEASE", 1, 500, 370);

    // Turned a quarter, the area lies below the centre. Off it: held without turning.
    send(c, "PRESS", 1, 500, 450);
    send(c, "PRESS", 2, 500, 380);
    send(c, "DRAG", 1, 520, 450);
    send(c, "DRAG", 2, 530, 380);
    send(c, "RELEASE", 2, 530, 380);
    EXPECT_NEAR(c->angle, kPi / 2, 1e-12);
    send(c, "RELEASE", 1, 520, 450);
    stroke(c, 2, {{500, 380}, {530, 410}});  // from below the centre to its right
    EXPECT_NEAR(c->angle, kPi, 1e-12);
    EXPECT_TRUE(isAt(c, 500, 410));
}

TEST_F(Manipulation, RNTKeepsTheAngleWithinAFullTurn) {
    struct Case {
        double angle, from, to, expected;
    };
    for (const Case& k : {Case{6.2, 0.0, 0.2, 6.4 - 2 * kPi}, Case{0.1, 0.0, -0.2, 2 * kPi - 0.1},
                          Case{1.0, 3.1, -3.1, 2 * kPi - 5.2},  // across the negative x axis: +0.083
                          Case{3.0, 1.0, 2.5, 4.5}, Case{kPi / 2, kPi / 2, 0.0, 0.0}}) {
        VisComponent* c = place(500, 400, 200, new LazyRNTStrategy);
        c->angle = k.angle;
        stroke(c, 1, {{500 + 50 * std::cos(k.from), 400 + 50 * std::sin(k.from)},
                      {500 + 50 * std::cos(k.to), 400 + 50 * std::sin(k.to)}});
        EXPECT_NEAR(c->angle, k.expected, 1e-9) << k.angle;
        EXPECT_TRUE(isAt(c, 500, 400));
    }
}

TEST_F(Manipulation, RNTClampsOntoTheDisplayAndNeverJumpsThroughTheCentre) {
    auto* strategy = new RecordedRNT;
    VisComponent* right = place(1020, 400, 100, strategy);
    pressAndDrag(right, 1, {{1030, 400}, {1035, 400}});  // centre to 1025: back to W - 1
    EXPECT_TRUE(strategy->lastClamped);
    EXPECT_TRUE(isAt(right, 1023, 400));
    send(right, "DRAG", 1, 1030, 400);
    EXPECT_FALSE(strategy->lastClamped);

    VisComponent* corner = place(5, 763, 100, new LazyRNTStrategy);
    stroke(corner, 1, {{0, 768}, {-15, 783}});  // along the ray: centre to (-10, 778)
    EXPECT_TRUE(isAt(corner, 0, 767));

    VisComponent loose;  // no manager: no display to clamp to
    loose.position = Point3d(-40, -40, 0);
    loose.pushStrategy(new LazyRNTStrategy);
    loose.initPropertiesComponent();
    stroke(&loose, 1, {{0, 0}, {10, 10}});
    EXPECT_TRUE(isAt(&loose, -30, -30));

    // A point on the centre has the direction 0 (atan2 of a zero vector). A drag from the
    // centre turns by the new point's direction and carries the centre to it...
    VisComponent* centred = place(500, 400, 200, new LazyRNTStrategy);
    stroke(centred, 1, {{500, 400}, {500, 440}});
    EXPECT_NEAR(centred->angle, kPi / 2, 1e-12);
    EXPECT_TRUE(isAt(centred, 500, 440));

    // ...and a drag onto the centre turns by minus the old direction without moving.
    VisComponent* c = place(500, 400, 200, new LazyRNTStrategy);
    c->angle = 0.5;
    pressAndDrag(c, 1, {{500, 440}, {500, 400}});  // 0.5 - pi/2 is below 0: a full turn is added
    EXPECT_NEAR(c->angle, 0.5 + 1.5 * kPi, 1e-12);
    EXPECT_TRUE(isAt(c, 500, 400));
    send(c, "DRAG", 1, 503, 404);
    EXPECT_NEAR(c->angle, 0.5 + 1.5 * kPi + std::atan2(4.0, 3.0), 1e-12);
    EXPECT_TRUE(isAt(c, 503, 404));
}
