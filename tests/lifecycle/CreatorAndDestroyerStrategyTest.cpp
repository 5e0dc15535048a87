#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "lifecycle/CreatorStrategy.h"
#include "lifecycle/DestroyerStrategy.h"
#include "lifecycle/DestructionStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "support/TestStrategies.h"

namespace {

// Makes 30 x 30 draggable cards centred on the press; `nothing` makes it return null.
struct CardDispenser : CreatorStrategy {
    int made = 0;
    bool nothing = false;
    VisComponent* createComponent(unsigned x, unsigned y, std::uint32_t value) override {
        EXPECT_EQ(value, 0u);
        if (nothing) return nullptr;
        ++made;
        return makeComponent(x, y, 30, 30, {new LazyTranslationStrategy});
    }
};

// Counts the start events it is sent; at frame rate 0 the step is infinite: one frame of
// animation, then the end (and the report) in the next.
struct CountingDestruction : DestructionStrategy {
    explicit CountingDestruction(int* starts) : starts(starts) {}
    int* starts;
    DravikEvent start;  // the last one
    void performAnimation() override {}
    void onAnimationStart(DravikEvent* event) override {
        ++*starts;
        start = *event;
        DestructionStrategy::onAnimationStart(event);
    }
};

// A 400 x 300 table (the root), a dispenser at (50, 50) and a bin at (300, 200), both
// 80 x 80; routed events pick components by their rectangles.
struct Scene : ::testing::Test {
    DravikManager manager{nullptr, 0};
    CardDispenser* dispenser = new CardDispenser;
    DestroyerStrategy* bin = new DestroyerStrategy;
    VisComponent *dispenserComponent = nullptr, *binComponent = nullptr;
    int starts = 0;  // of every CountingDestruction
    CountingDestruction* lastDying = nullptr;

    void SetUp() override {
        manager.resize(400, 300);
        manager.setRootComponent(makeComponent(200, 150, 400, 300));
        dispenserComponent = placeComponent(manager, 50, 50, 80, 80, {dispenser});
        binComponent = placeComponent(manager, 300, 200, 80, 80, {bin});
    }
    void route(const char* type, unsigned user, double x, double y) { ::route(manager, type, user, x, y); }
    VisComponent* card(double x, double y, bool dying = false) {
        VisComponent* c = placeComponent(manager, x, y, 20, 20, {new LazyTranslationStrategy});
        if (dying) c->pushStrategy(lastDying = new CountingDestruction(&starts));
        return c;
    }
    bool exists(unsigned long id) const { return manager.getComponentById(id) != nullptr; }
    void frames(int n) {
        for (int i = 0; i < n; ++i) manager.processComponents();
    }
};

}  // namespace

TEST_F(Scene, ThePressOnTheDispenserHoldsANewComponent) {
    manager.touchIndicators = {makeComponent(0, 0, 5, 5)};
    route("PRESS", 1, 200, 150);  // on the table
    route("RELEASE", 1, 200, 150);
    DravikEvent drag(eventType("DRAG"), 1, 50, 50);
    dispenserComponent->onEvent(&drag);
    EXPECT_EQ(dispenser->made, 0);

    route("PRESS", 1, 60, 40);
    ASSERT_EQ(dispenser->made, 1);
    ASSERT_EQ(manager.components.size(), 3u);
    VisComponent* made = manager.components.back();  // in front
    EXPECT_EQ(made->position, Point3d(60, 40, 0));
    EXPECT_EQ(manager.getSelectedComponentIds(), std::vector<unsigned long>{made->id});
    EXPECT_EQ(manager.touchTargets, std::vector<VisComponent*>{made}) << "the indicator follows the hand-over";

    route("DRAG", 1, 160, 90);  // the press was handed over: the new card follows
    EXPECT_EQ(made->position, Point3d(160, 90, 0));
    route("RELEASE", 1, 160, 90);
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());

    dispenser->nothing = true;  // a factory without a component creates nothing
    route("PRESS", 2, 50, 50);
    EXPECT_EQ(manager.components.size(), 3u);
    EXPECT_EQ(manager.getSelectedComponentIds(), std::vector<unsigned long>{dispenserComponent->id});
}

TEST(CreatorStrategy, DeletesWhatItMakesOutsideAScene) {
    auto* dispenser = new CardDispenser;
    VisComponent* lone = makeComponent(0, 0, 50, 50, {dispenser});
    DravikEvent press(eventType("PRESS"), 1, 0, 0);
    lone->onEvent(&press);  // the card has no owner: it must not leak (LeakSanitizer)
    EXPECT_EQ(dispenser->made, 1);
    delete lone;
}

// A plain child goes at the bin's next frame; one with a destruction animation is sent one
// start and goes at the first frame after its report.
TEST_F(Scene, ABinDestroysPlainChildrenAtOnceAndWaitsForTheAnimationOfOthers) {
    frames(2);  // frames without children do nothing
    EXPECT_TRUE(bin->getDyingIds().empty());
    VisComponent* plain = card(290, 190);
    VisComponent* dying = card(310, 210, true);
    const unsigned long plainId = plain->id, id = dying->id;
    plain->drop(true);
    dying->drop(true);
    ASSERT_EQ(binComponent->getChildren().size(), 2u);

    frames(1);  // the bin starts the animation; the card animates
    EXPECT_FALSE(exists(plainId));
    EXPECT_EQ(binComponent->getChildren(), std::vector<VisComponent*>{dying});
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(std::make_tuple(lastDying->start.component, lastDying->start.contacts, lastDying->start.getCoords()),
              std::make_tuple(binComponent, 1u, Point3d(300, 200, 0)));
    EXPECT_EQ(bin->getDyingIds(), std::vector<unsigned long>{id});
    frames(1);  // the animation ends and reports
    EXPECT_TRUE(bin->getDyingIds().empty());
    EXPECT_EQ(bin->getDeadIds(), std::vector<unsigned long>{id});
    EXPECT_TRUE(exists(id));
    frames(1);
    EXPECT_FALSE(exists(id));
    EXPECT_TRUE(bin->getDeadIds().empty() && binComponent->getChildren().empty());
    EXPECT_EQ(std::make_pair(manager.components.size(), starts), std::make_pair(std::size_t(2), 1));
}

TEST_F(Scene, ReportsOfComponentsNeverStartedAreKept) {
    VisComponent* stranger = card(100, 250, true);
    DravikEvent report(eventType("READY_TO_DIE"), DravikEvent::NoUserId, 0, 0, 0, stranger);
    binComponent->onEvent(&report);
    EXPECT_EQ(bin->getDeadIds(), std::vector<unsigned long>{stranger->id});
    frames(1);
    EXPECT_TRUE(exists(stranger->id)) << "not a child of the bin";
    EXPECT_EQ(bin->getDeadIds().size(), 1u);

    binComponent->addChild(stranger);
    const unsigned long id = stranger->id;
    frames(1);
    EXPECT_FALSE(exists(id)) << "destroyed without a start";
    EXPECT_EQ(starts, 0);

    // A report of a component destroyed elsewhere is forgotten with the next report.
    VisComponent* gone = card(100, 250);
    report.component = gone;
    binComponent->onEvent(&report);
    delete gone;
    report.component = card(120, 250);
    binComponent->onEvent(&report);
    EXPECT_EQ(bin->getDeadIds(), std::vector<unsigned long>{report.component->id});
}

// What a destroyed component leaves: nobody holds it, no indicator points at it, no list of
// the scene names it.
TEST_F(Scene, ADestroyedComponentLeavesEverythingThatKnewIt) {
    manager.touchIndicators = {makeComponent(0, 0, 5, 5), makeComponent(0, 0, 5, 5)};
    VisComponent* c = card(150, 150);
    const unsigned long id = c->id;
    route("PRESS", 1, 150, 150);
    route("PRESS", 2, 155, 155);  // both users hold the card
    ASSERT_EQ(manager.touchTargets, (std::vector<VisComponent*>{c, c}));
    route("DRAG", 1, 300, 200);
    route("RELEASE", 1, 300, 200);  // user 1 drops it into the bin; user 2 still holds it
    ASSERT_EQ(c->getParent(), binComponent);
    EXPECT_EQ(manager.getSelectedComponentIds(), std::vector<unsigned long>{id});

    frames(1);
    EXPECT_FALSE(exists(id));
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());
    EXPECT_EQ(manager.touchTargets, (std::vector<VisComponent*>{nullptr, nullptr}));
}

// A card that shrinks and fades in the bin, dragged out and dropped on the table, comes back
// whole and stays; dropped in again it is destroyed. The same with a bin that is also a
// dispenser, and for a card taken out after its report but before the bin acted on it.
TEST_F(Scene, ACardTakenBackOutOfTheBinComesBackWhole) {
    struct ShrinkAndFade : CountingDestruction {
        using CountingDestruction::CountingDestruction;
        void performAnimation() override {
            component->scale = Point3d(1 - animationParameter, 1 - animationParameter, 1);
            component->color[3] = 1 - animationParameter;
        }
    };
    binComponent->pushStrategy(new CardDispenser);
    for (const bool reported : {false, true}) {
        SCOPED_TRACE(reported ? "after the report" : "while it shrinks");
        manager.frameRate = reported ? 0.0 : 4.0;  // at 0 the animation reports in the second frame
        starts = 0;
        route("PRESS", 1, 300, 200);  // the bin makes a card and hands it the press
        VisComponent* c = manager.components.back();
        c->pushStrategy(new ShrinkAndFade(&starts));
        const unsigned long id = c->id;
        route("RELEASE", 1, 300, 200);
        ASSERT_EQ(c->getParent(), binComponent);
        frames(2);
        ASSERT_EQ(starts, 1);
        EXPECT_EQ(bin->getDeadIds().size(), reported ? 1u : 0u);
        routeStroke(manager, 2, {{300, 200}, {100, 250}});  // the card, in front of the bin
        frames(30);
        ASSERT_TRUE(exists(id));
        EXPECT_EQ(std::make_tuple(c->getParent(), c->scale, c->color[3]), std::make_tuple(nullptr, Point3d(1, 1, 1), 1.0));
        EXPECT_TRUE(bin->getDyingIds().empty() && bin->getDeadIds().empty());
        binComponent->addChild(c);
        frames(reported ? 3 : 8);
        EXPECT_EQ(starts, 2);
        EXPECT_FALSE(exists(id));
    }
}

// A bin dropped into a bin goes with everything in it, animations still running included.
TEST_F(Scene, ABinInsideABinGoesWithItsContents) {
    VisComponent* inner = placeComponent(manager, 300, 200, 40, 40, {new DestroyerStrategy});
    VisComponent* animating = card(300, 200, true);
    inner->addChild(animating);
    manager.frameRate = 60.0;  // one second of animation
    frames(1);  // the inner bin starts the animation
    EXPECT_EQ(starts, 1);
    binComponent->addChild(inner);
    const unsigned long innerId = inner->id, animatingId = animating->id;
    frames(1);
    EXPECT_FALSE(exists(innerId));
    EXPECT_FALSE(exists(animatingId));
    frames(70);
    EXPECT_EQ(manager.components.size(), 2u);
}
