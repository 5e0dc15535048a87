#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "support/TestStrategies.h"

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
    static void send(VisComponent* c, const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        c->onEvent(&e);
    }
};

void expectAt(const VisComponent* c, double x, double y) {
    EXPECT_NEAR(c->position.x, x, 1e-9);
    EXPECT_NEAR(c->position.y, y, 1e-9);
}

}  // namespace

TEST_F(Manipulation, TranslationFollowsTheHolderFromTheTranslationArea) {
    VisComponent* c = place(200, 200, 100, new TranslationStrategy, "TRANSLATION_AREA");  // area: x < 200
    send(c, "PRESS", 1, 400, 400);  // outside: nothing
    send(c, "PRESS", 1, 230, 200);  // off the area: held, not moving
    send(c, "PRESS", 2, 180, 200);  // taken
    send(c, "DRAG", 1, 260, 200);
    send(c, "DRAG", 2, 190, 200);
    expectAt(c, 200, 200);
    send(c, "RELEASE", 2, 190, 200);  // not the holder
    send(c, "RELEASE", 1, 260, 200);

    send(c, "PRESS", 2, 170.7, 190.2);
    send(c, "DRAG", 2, 180.7, 195.2);  // from the press point
    expectAt(c, 210, 205);
    send(c, "DRAG", 1, 400, 400);
    send(c, "DRAG", 2, 181.2, 185.2);  // from the previous drag, fractions kept
    expectAt(c, 210.5, 195);
    send(c, "RELEASE", 2, 181.2, 185.2);
    send(c, "DRAG", 2, 300, 300);
    expectAt(c, 210.5, 195);
}

TEST_F(Manipulation, LazyTranslationNeedsNoGridAndIgnoresBadPoints) {
    VisComponent* strict = place(200, 200, 100, new TranslationStrategy);
    send(strict, "PRESS", 1, 240, 240);
    send(strict, "DRAG", 1, 250, 250);
    expectAt(strict, 200, 200);  // no grid: "NO_BUTTON", held only

    VisComponent* c = place(600, 200, 100, new LazyTranslationStrategy);
    c->onEvent(nullptr);
    send(c, "RELEASE", 1, 600, 200);  // without a press
    send(c, "PRESS", 1, kNaN, 200);
    send(c, "DRAG", 1, 650, 250);
    expectAt(c, 600, 200);
    send(c, "PRESS", 1, 640, 240);
    send(c, "DRAG", 1, kNaN, 210);
    send(c, "DRAG", 1, kInf, -kInf);
    send(c, "DRAG", 1, 650, 230);  // from the last finite point
    expectAt(c, 610, 190);
    send(c, "RELEASE", 1, kNaN, kNaN);  // lets go wherever it was lifted
    send(c, "DRAG", 1, 700, 300);
    expectAt(c, 610, 190);
    send(c, "PRESS", 2, 620, 200);  // free for the next user
    send(c, "DRAG", 2, 630, 190);
    expectAt(c, 620, 180);
}

TEST_F(Manipulation, RNTTurnsAroundThePositionAndMovesAlongTheRay) {
    VisComponent* c = place(500, 400, 200, new RNTStrategy, "RNT_AREA");  // area: x < 500
    send(c, "PRESS", 1, 460, 400);  // 40 to the left
    send(c, "DRAG", 1, 500, 360);   // a quarter turn at the same distance: turns only
    EXPECT_NEAR(c->angle, kPi / 2, 1e-12);
    expectAt(c, 500, 400);
    send(c, "DRAG", 1, 500, 340);  // straight away: the centre follows, the distance stays 40
    expectAt(c, 500, 380);
    send(c, "DRAG", 1, 500, 370);  // back towards it
    expectAt(c, 500, 410);
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
    send(c, "PRESS", 2, 500, 380);
    send(c, "DRAG", 2, 530, 410);  // from below the centre to its right
    EXPECT_NEAR(c->angle, kPi, 1e-12);
    expectAt(c, 500, 410);
}

TEST_F(Manipulation, RNTKeepsTheAngleWithinAFullTurn) {
    struct Case {
        double angle, from, to, expected;
    };
    for (const Case& k : {Case{6.2, 0.0, 0.2, 6.4 - 2 * kPi}, Case{0.1, 0.0, -0.2, 2 * kPi - 0.1},
                          Case{1.0, 3.1, -3.1, 2 * kPi - 5.2},  // across the negative x axis: +0.083
                          Case{3.0, 1.0, 2.5, 4.5}}) {
        VisComponent* c = place(500, 400, 200, new LazyRNTStrategy);
        c->angle = k.angle;
        send(c, "PRESS", 1, 500 + 50 * std::cos(k.from), 400 + 50 * std::sin(k.from));
        send(c, "DRAG", 1, 500 + 50 * std::cos(k.to), 400 + 50 * std::sin(k.to));
        EXPECT_NEAR(c->angle, k.expected, 1e-9) << k.angle;
        expectAt(c, 500, 400);
        delete c;
    }
}

TEST_F(Manipulation, RNTClampsOntoTheDisplayAndNeverJumpsThroughTheCentre) {
    auto* strategy = new RecordedRNT;
    VisComponent* right = place(1020, 400, 100, strategy);
    send(right, "PRESS", 1, 1030, 400);
    send(right, "DRAG", 1, 1035, 400);  // centre to 1025: back to W - 1
    EXPECT_TRUE(strategy->lastClamped);
    expectAt(right, 1023, 400);
    send(right, "DRAG", 1, 1030, 400);
    EXPECT_FALSE(strategy->lastClamped);

    VisComponent* corner = place(5, 763, 100, new LazyRNTStrategy);
    send(corner, "PRESS", 1, 0, 768);
    send(corner, "DRAG", 1, -15, 783);  // along the ray: centre to (-10, 778)
    expectAt(corner, 0, 767);

    // A point on the centre has the direction 0 (atan2 of a zero vector). A drag from the
    // centre turns by the new point's direction and carries the centre to it...
    VisComponent* centred = place(500, 400, 200, new LazyRNTStrategy);
    send(centred, "PRESS", 1, 500, 400);
    send(centred, "DRAG", 1, 500, 440);
    EXPECT_NEAR(centred->angle, kPi / 2, 1e-12);
    expectAt(centred, 500, 440);

    // ...and a drag onto the centre turns by minus the old direction without moving.
    VisComponent* c = place(500, 400, 200, new LazyRNTStrategy);
    c->angle = 0.5;
    send(c, "PRESS", 1, 500, 440);
    send(c, "DRAG", 1, 500, 400);  // 0.5 - pi/2 is below 0: a full turn is added
    EXPECT_NEAR(c->angle, 0.5 + 1.5 * kPi, 1e-12);
    expectAt(c, 500, 400);
    send(c, "DRAG", 1, 503, 404);
    EXPECT_NEAR(c->angle, 0.5 + 1.5 * kPi + std::atan2(4.0, 3.0), 1e-12);
    expectAt(c, 503, 404);
}

TEST_F(Manipulation, RNTIgnoresBadPointsAndWorksOutsideAScene) {
    VisComponent* c = place(500, 400, 200, new LazyRNTStrategy);
    c->onEvent(nullptr);
    send(c, "RELEASE", 1, 500, 400);
    send(c, "DRAG", 4, 300, 300);  // a user holding nothing
    send(c, "PRESS", 1, kNaN, 400);
    send(c, "PRESS", 1, 540, 400);
    for (double bad : {kNaN, kInf, -kInf}) send(c, "DRAG", 1, bad, 400);
    send(c, "DRAG", 1, 500, 440);  // a clean quarter turn from the press
    EXPECT_NEAR(c->angle, kPi / 2, 1e-12);
    expectAt(c, 500, 400);
    send(c, "RELEASE", 1, kNaN, kInf);  // lets go wherever it was lifted
    send(c, "PRESS", 2, 540, 400);      // free for the next user
    send(c, "DRAG", 2, 500, 440);
    EXPECT_NEAR(c->angle, kPi, 1e-12);

    VisComponent loose;  // no manager: no display to clamp to
    loose.position = Point3d(-40, -40, 0);
    loose.pushStrategy(new LazyRNTStrategy);
    loose.initPropertiesComponent();
    send(&loose, "PRESS", 1, 0, 0);
    send(&loose, "DRAG", 1, 10, 10);
    expectAt(&loose, -30, -30);
}
