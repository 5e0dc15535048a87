#include <cmath>
#include <limits>
#include <tuple>

#include "ContainerTestSupport.h"
#include "manipulation/Resizer4ButtonStrategy.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
// Interned before any test, so that button value 0 is not "NO_BUTTON".
const unsigned char kFirstButton = buttonValue("A_BUTTON_INTERNED_FIRST");

using BoundedProbe = Probe<BoundedContainerStrategy>;
using BeltProbe = Probe<BeltContainerStrategy>;

}  // namespace

TEST_F(ContainerScene, DefaultRectangleShapeSitsInsetByTheBorderAndTheComponentFitsAroundIt) {
    auto* s = new BoundedProbe(4, 0);
    VisComponent* c = makeComponent(500, 400, 200, 100, {s});  // in no scene: initProperties has not run
    s->initializeDefaultShape(false);
    // Angles 45, 135, 225, 315 degrees stretched by sqrt 2 onto the rectangle of half size
    // (100 - 20, 50 - 20).
    const Spline outline = s->getOuterSpline();
    const auto& cps = outline.controlPointList();
    ASSERT_EQ(cps.size(), 4u);
    const double xs[4] = {80, -80, -80, 80}, ys[4] = {30, 30, -30, -30};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::hypot(cps[i].x - xs[i], cps[i].y - ys[i]) < 1e-9) << i;
    // The ring's corners lie 20 out along the diagonals: 80 + 20 / sqrt 2 = 94.14; the box
    // plus 20 on each side is 228.28 x 128.28, centred where the component is.
    EXPECT_EQ(sizeOf(c), "228x128");
    EXPECT_TRUE(isAt(c, 500, 400));
    delete c;
}

TEST_F(ContainerScene, ButtonGridHoldsTheInsideTheRingAndTheControlPointDiscsWhichReshapeTheContainer) {
    auto* s = new BoundedProbe(4, 4);
    VisComponent* c = add(300, 300, 200, 200, {s});
    // Control points at 80 (cos, sin) of 45 degrees + k 90; the curve passes 1.25 * 56.57
    // = 70.71 right of the centre. The ring's control points lie 20 further out, at 100
    // (cos, sin), so it reaches 1.25 * 70.71 = 88.39 there; 20 + 2 * 88.39 + 20 = 216.8.
    EXPECT_EQ(sizeOf(c), "216x216");
    // The corner lies outside the shape; CP_OUT_2 is within the disc's radius of 20.
    expectButtons(c, {{300, 300, "RNT_AREA"}, {360, 300, "RNT_AREA"}, {380, 300, "TRANSLATION_AREA"},
                      {300, 220, "TRANSLATION_AREA"}, {405, 405, "NO_BUTTON"}, {300 + 56.57, 300 + 56.57, "CP_OUT_0"},
                      {300 - 56.57 + 15, 300 - 56.57, "CP_OUT_2"}});

    // A press on the disc selects its control point, one on the inside only highlights.
    send(c, "PRESS", 1, 300 - 56.57, 300 + 56.57);
    EXPECT_EQ(s->selectedControlPoint, 1);
    EXPECT_FALSE(s->highlighted);
    send(c, "RELEASE", 1, 300 - 56.57, 300 + 56.57);
    EXPECT_EQ(s->selectedControlPoint, -1);

    auto* hidden = new BoundedProbe(4, 4);
    hidden->setDisplayControlPoints(false);
    VisComponent* h = add(700, 300, 200, 200, {hidden});
    EXPECT_EQ(button(h, 700 + 50, 300 + 50), buttonValue("RNT_AREA"));  // within the disc's radius
    send(h, "PRESS", 1, 700 + 50, 300 + 50);
    EXPECT_EQ(hidden->selectedControlPoint, -1);
    EXPECT_TRUE(hidden->highlighted);

    // Dragging a control point reshapes; the release refits the grid and drops the children again.
    std::vector<std::string> log;
    c->addChild(makeComponent(300, 300, 20, 20, {new RecordingStrategy(&log, "child")}));

    // A press on the ring and its release only highlight for a while.
    send(c, "PRESS", 1, 380, 300);
    EXPECT_TRUE(s->highlighted);
    send(c, "RELEASE", 1, 380, 300);
    EXPECT_FALSE(s->highlighted);
    manager.processComponents();
    EXPECT_EQ(std::count(log.begin(), log.end(), "child.drop"), 0);

    const double x0 = 300 + 56.57, y0 = 300 + 56.57;
    send(c, "PRESS", 1, x0, y0);
    ASSERT_EQ(s->selectedControlPoint, 0);
    send(c, "DRAG", 1, x0 + 40, y0 + 20);
    // During the drag the shape and the component follow; the grid waits for the release.
    EXPECT_GT(c->width, 216u);
    EXPECT_GT(c->position.x, 300.0);
    send(c, "DRAG", 1, x0 + 60, y0 + 30);
    send(c, "RELEASE", 1, x0 + 60, y0 + 30);
    EXPECT_EQ(s->selectedControlPoint, -1);
    // The outline stays centred on the component: its box is symmetric about the origin.
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const Spline& spline : {s->getOuterSpline(), s->getOuterBorderSpline()})
        for (const auto& p : spline.splinePointList()) {
            std::tie(minX, maxX) = std::pair{std::min(minX, p.x), std::max(maxX, p.x)};
            std::tie(minY, maxY) = std::pair{std::min(minY, p.y), std::max(maxY, p.y)};
        }
    EXPECT_NEAR(std::abs(minX + maxX) + std::abs(minY + maxY), 0.0, 1e-9);
    EXPECT_EQ(c->width, unsigned(maxX - minX + 40.0));
    const IBufferBase* grid = c->getActiveBufferByType(bufferType("BUTTON_BUFFER"))->buffer;
    EXPECT_EQ(std::make_pair(grid->width, grid->height), std::make_pair(c->width, c->height));
    // The control point followed the pointer, now at the moved disc.
    EXPECT_EQ(button(c, x0 + 60, y0 + 30), buttonValue("CP_OUT_0"));
    manager.processComponents();
    EXPECT_EQ(std::count(log.begin(), log.end(), "child.drop"), 1);
}

TEST_F(ContainerScene, RandomInsidePointsLieInsideTheTurnedOutline) {
    auto* s = new BoundedProbe(5, 3);
    VisComponent* c = add(400, 380, 260, 180, {s});
    c->rotateBranch(0.7);
    std::srand(11);
    const IBuffer<unsigned char>* grid =
        c->getActiveBufferByType(bufferType("BUTTON_BUFFER"))->getBuffer<unsigned char>();
    for (int i = 0; i < 200; ++i) {
        const Point3d p = s->getRandomInsidePoint();
        double bx = 0, by = 0;
        c->convertGlobalToBufferCoords(p.x, p.y, bx, by);
        ASSERT_EQ(grid->rows[unsigned(by)][unsigned(bx)], buttonValue("RNT_AREA")) << p.x << "," << p.y;
    }
    // A container squeezed to nothing has no inside: the draws end with its position.
    c->resize(0, 0);
    EXPECT_EQ(s->getRandomInsidePoint(), c->position);
    EXPECT_EQ(BoundedProbe(4, 4).getRandomInsidePoint(), Point3d());
}

TEST_F(ContainerScene, BadInputLeavesTheContainerFiniteAndBounded) {
    auto* s = new BoundedProbe(4, 4);
    VisComponent* c = add(300, 300, 200, 200, {s});
    send(c, "PRESS", 1, kNaN, 300);
    send(c, "PRESS", 1, 300 + 56.57, 300 + 56.57);
    ASSERT_EQ(s->selectedControlPoint, 0);
    send(c, "DRAG", 1, kNaN, kNaN);  // ignored
    EXPECT_EQ(c->width, 216u);
    send(c, "DRAG", 1, 1e12, -1e12);  // far off the display: the point stops within reach
    send(c, "RELEASE", 1, 1e12, -1e12);
    EXPECT_LE(std::max(c->width, c->height), 2 * BoundedContainerStrategy::kMaxReach + 400);
    EXPECT_TRUE(std::isfinite(c->position.x) && std::isfinite(c->position.y));

    // The limits hold for values set in code too.
    BoundedContainerStrategy limited(1000, 99);
    EXPECT_EQ(limited.getNumControlPoints(), BoundedContainerStrategy::kMaxControlPoints);
    EXPECT_EQ(limited.getSplineLevels(), BoundedContainerStrategy::kMaxSplineLevels);
    limited.setBorderWidth(kNaN);
    EXPECT_EQ(limited.getBorderWidth(), 20.0);

    // Too few control points, or a belt too wide for its component: nothing to crash.
    for (BoundedContainerStrategy* odd : std::initializer_list<BoundedContainerStrategy*>{
             new BoundedProbe(0, 4), new BoundedProbe(1, 4), new BoundedProbe(2, 4), new BeltProbe(300.0, 6, 3)}) {
        VisComponent* f = add(600, 300, 400, 300, {odd});
        for (double x : {600.0, 620.0, 740.0}) stroke(f, 1, {{x, 300}, {x + 30, 320}});
        odd->getRandomInsidePoint();
        f->resize(0, 0);
        f->resize(400, 300);
        EXPECT_TRUE(std::isfinite(f->position.x));
        EXPECT_GT(f->width, 0u);
    }
}

TEST_F(ContainerScene, StrategiesShareOneButtonGridHoldingNoButtonWhereNoneWasWritten) {
    ASSERT_EQ(kFirstButton, 0);
    VisComponent* resizable = add(200, 200, 200, 100, {new Resizer4ButtonStrategy});
    expectButtons(resizable, {{200, 200, "NO_BUTTON"}, {105, 155, "RESIZE_BUTTON"}});
    // A container pushed after the resizer fills the grid that is there, which lookups read.
    VisComponent* tray = add(600, 400, 300, 300, {new Resizer4ButtonStrategy, new BoundedContainerStrategy(4, 2)});
    expectButtons(tray, {{600, 400, "RNT_AREA"}});
}

TEST_F(ContainerScene, BeltHoleAndInnerControlPoints) {
    auto* s = new BeltProbe();
    VisComponent* c = add(500, 400, 400, 400, {s});
    EXPECT_EQ(std::make_pair(s->getOuterSpline().getNumSplinePoints(), s->getInnerSpline().getNumSplinePoints()),
              std::make_pair(64ul, 64ul));
    // Outer control points at 180 (cos, sin), inner ones at 80 (cos, sin): the belt runs
    // from 70.7 to 159.1 right of the centre; the ring control points lie 20 beyond, so
    // the rings reach 176.8 and 53.0 there.
    expectButtons(c, {{500 + 110, 400, "RNT_AREA"}, {500 + 168, 400, "TRANSLATION_AREA"}, {500 + 60, 400, "TRANSLATION_AREA"},
                      {500 + 30, 400, "NO_BUTTON"}, {500 - 56.57, 400 - 56.57, "CP_IN_2"}});

    send(c, "PRESS", 1, 500, 400);  // in the hole
    EXPECT_EQ(s->selectedControlPoint, -1);
    EXPECT_FALSE(s->highlighted);
    send(c, "RELEASE", 1, 500, 400);

    const Spline outerBefore = s->getOuterSpline();
    send(c, "PRESS", 1, 500 - 56.57, 400 - 56.57);
    EXPECT_EQ(s->selectedControlPoint, 6);  // 4 outer points, then inner point 2
    send(c, "DRAG", 1, 500 - 66.57, 400 - 56.57);
    send(c, "RELEASE", 1, 500 - 66.57, 400 - 56.57);
    const Spline inner = s->getInnerSpline(), innerBorder = s->getInnerBorderSpline();
    EXPECT_NEAR(inner.controlPointList()[2].x, -66.57, 1.0);
    for (unsigned i = 0; i < 4; ++i) {
        EXPECT_NEAR(s->getOuterSpline().controlPointList()[i].x, outerBefore.controlPointList()[i].x, 1e-9);
        // The inner border follows 20 toward the hole, along the new normals.
        const auto &p = inner.controlPointList()[i], &n = inner.controlPointNormalList()[i];
        EXPECT_NEAR(innerBorder.controlPointList()[i].x, p.x + 20 * n.x, 1e-9);
    }

    // A belt wider than the component holds (or negative) is held to what fits, 0 to
    // 150 - 20 here, so that the component keeps the size that a belt that fits gives it.
    const VisComponent* fits = add(500, 400, 400, 300, {new BeltContainerStrategy(100.0, 4, 4)});
    for (double width : {1000.0, 1e308, -50.0}) {
        auto* wide = new BeltContainerStrategy(width, 4, 4);
        VisComponent* w = add(500, 400, 400, 300, {wide});
        EXPECT_EQ(wide->getBeltWidth(), width < 0 ? 0.0 : 130.0);
        EXPECT_EQ(sizeOf(w), sizeOf(fits));
    }
}
