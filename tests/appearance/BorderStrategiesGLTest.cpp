// Border strategies and the gradient spot: what they draw, when they rebuild, and where they
// pick (a component is picked where its strategies draw in picking mode, and nowhere else).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "appearance/BetterBorderStrategy.h"
#include "appearance/BorderStrategy.h"
#include "appearance/GLProbe.h"
#include "appearance/GradientCircleStrategy.h"
#include "appearance/GradientBorderStrategy.h"
#include "appearance/GradientRoundBorderStrategy.h"
#include "appearance/RoundBorderStrategy.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

using Primitive = FeedbackPrimitive;
using Vertex = FeedbackVertex;

constexpr double kCentre = 128.0;

// A border that counts how often it builds its display lists.
template <class Border>
class Counted : public Border {
public:
    using Border::Border;
    int builds = 0;
    void build() { this->createDisplayList(); }
    std::uint32_t list() const { return this->displayList.name(); }

protected:
    void createDisplayList() override {
        ++builds;
        Border::createDisplayList();
    }
};

// One component centred in the viewport carrying the border under test.
class BorderGLTest : public GLTest {
protected:
    template <class Border>
    Border* attach(Border* border, unsigned w, unsigned h) {
        component.reset(makeComponent<VisComponentGL>(kCentre, kCentre, w, h, {border}));
        component->initPropertiesComponent();
        return border;
    }
    std::vector<Primitive> drawn(const std::vector<unsigned long>& selected = {}) {
        return captureFeedback([&] { component->render(selected); });
    }
    unsigned long id() const { return component->id; }
    GradientCircleStrategy* spot(GradientCircleStrategy* s, double scale) {
        attach(s, 300, 7);  // the spot ignores width and height
        component->scale = Point3d(scale, scale, 1);
        return s;
    }

    std::unique_ptr<VisComponentGL> component;
};

// True when the vertex is a corner of the rectangle centred in the viewport with the half
// extents given; onRectangle: when every vertex drawn is.
bool corner(const Vertex& v, double hw, double hh) {
    return std::abs(std::abs(v.x - kCentre) - hw) < 1e-3 && std::abs(std::abs(v.y - kCentre) - hh) < 1e-3;
}
bool onRectangle(const std::vector<Primitive>& ps, double hw, double hh) {
    const std::vector<Vertex> vs = probe::verticesOf(ps);
    return !vs.empty() && std::all_of(vs.begin(), vs.end(), [&](const Vertex& v) { return corner(v, hw, hh); });
}

class PickingManager : public DefaultManager {
public:
    PickingManager() { resize(GLContextEnvironment::kSize, GLContextEnvironment::kSize); }
    using DefaultManager::pickComponent;

    VisComponentGL* add(VisComponentStrategy* strategy, double x, double y, unsigned w, unsigned h) {
        return placeComponent<VisComponentGL>(*this, x, y, w, h, {strategy});
    }
    unsigned long at(unsigned x, unsigned y) { return pickComponent(x, y, false); }
    // What is picked at each point, in order.
    std::vector<unsigned long> at(std::initializer_list<std::array<unsigned, 2>> points) {
        std::vector<unsigned long> ids;
        for (const auto& p : points) ids.push_back(at(p[0], p[1]));
        return ids;
    }
};

constexpr unsigned long kNone = VisComponent::NoComponentId;

float lineWidth() {
    GLfloat w = 0;
    glGetFloatv(GL_LINE_WIDTH, &w);
    return w;
}

}  // namespace

TEST_F(BorderGLTest, OutlineOnTheEdgeInItsColourThenTheSelectedOneOnTop) {
    auto* border = attach(new Counted<BorderStrategy>, 100, 50);
    const double green[4] = {0, 1, 0, 1}, blue[4] = {0, 0, 1, 0.8};
    border->setColor(green);
    border->setSelectedColor(blue);
    border->setBorderWidth(5);
    border->setSelectedBorderWidth(3);
    component->color[3] = 0.5;

    const std::vector<Primitive> normal = drawn({999});
    ASSERT_EQ(normal.size(), 4u);
    EXPECT_TRUE(onRectangle(normal, 50, 25));
    // Green, the component's alpha multiplying the outline's, in the outline's width.
    EXPECT_EQ(std::make_tuple(normal[0].vertices[0].rgba[1], normal[0].vertices[0].rgba[3], lineWidth()), std::make_tuple(1.0, 0.5, 5.0f));

    const std::vector<Primitive> both = drawn({999, id()});
    ASSERT_EQ(both.size(), 8u);
    EXPECT_NEAR(both[7].vertices[0].rgba[3], 0.4, 1e-6);
    EXPECT_EQ(std::make_pair(both[7].vertices[0].rgba[2], lineWidth()), std::make_pair(1.0, 3.0f)) << "the width left as the last outline set it";

    border->setDrawBorder(false);
    EXPECT_TRUE(drawn({}).empty());
    EXPECT_EQ(drawn({id()}).size(), 4u) << "only the selected outline";

    // Without either outline nothing at all is drawn, no state is touched, nothing is rebuilt.
    border->setDrawSelectedBorder(false);
    const int builds = border->builds;
    component->resize(80, 80);
    glLineWidth(7.0f);
    glColor4d(0.25, 0.25, 0.25, 0.25);
    EXPECT_TRUE(drawn({id()}).empty());
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::make_tuple(colour[0], lineWidth(), border->builds), std::make_tuple(0.25f, 7.0f, builds))
        << "draw did not rebuild for the new size";
}

TEST_F(BorderGLTest, OutlinesAreRebuiltOnlyWhenTheSizeChanges) {
    auto* border = attach(new Counted<BorderStrategy>, 100, 50);
    drawn();
    drawn({id()});
    component->scale = Point3d(2, 2, 1);
    component->position.x += 10;
    component->angle = 0.5;
    drawn();
    EXPECT_EQ(border->builds, 1);

    component->scale = Point3d(1, 1, 1);
    component->position.x = kCentre;
    component->angle = 0;
    component->resize(200, 50);  // the width alone
    EXPECT_EQ(border->builds, 1) << "a plain border waits for the next draw";
    EXPECT_TRUE(onRectangle(drawn(), 100, 25));
    EXPECT_EQ(border->builds, 2);

    const double black[4] = {0, 0, 0, 1};
    border->setColor(black);  // setters rebuild a built list at once
    EXPECT_EQ(border->builds, 3);
    // An assignment rebuilds the built list, in place, with the settings it takes; a copy
    // has no list until it builds one.
    const std::uint32_t name = border->list();
    Counted<BorderStrategy> green;
    const double greenColour[4] = {0, 1, 0, 1};
    green.setColor(greenColour);
    EXPECT_EQ(green.builds, 0) << "a list never built is not rebuilt";
    *border = green;
    EXPECT_EQ(border->list(), name);
    EXPECT_EQ(drawn()[0].vertices[0].rgba[1], 1.0);
    EXPECT_EQ(Counted<BorderStrategy>(*border).list(), 0u);

    // The stand-alone variant rebuilds as soon as the resize is reported. It copies its
    // colours; a missing one is opaque white.
    double red[4] = {1, 0, 0, 0.5};
    auto* better = attach(new Counted<BetterBorderStrategy>(red, nullptr, 2.0, 3.0), 100, 50);
    EXPECT_FALSE(glIsList(name)) << "freed with the strategy";
    red[0] = 0;
    const std::vector<Primitive> both = drawn({id()});
    ASSERT_EQ(both.size(), 8u);
    EXPECT_TRUE(onRectangle(both, 50, 25));
    EXPECT_EQ(both[0].vertices[0].rgba[0], 1.0);
    const double* white = both[7].vertices[0].rgba;
    EXPECT_EQ(white[0] + white[1] + white[2] + white[3], 4.0);
    component->resize(60, 30);
    EXPECT_EQ(better->builds, 2);
    EXPECT_TRUE(onRectangle(drawn(), 30, 15));
    EXPECT_EQ(better->builds, 2);

    Counted<BorderStrategy> loose;
    loose.build();  // no component: nothing to build from
    EXPECT_EQ(loose.list(), 0u);
}

TEST_F(BorderGLTest, GradientBandFadesFromTheEdgeToTransparentOutside) {
    auto* band = attach(new Counted<GradientBorderStrategy>, 100, 50);
    component->color[3] = 0.3;  // not applied to the band
    const std::vector<Primitive> ps = drawn();
    ASSERT_FALSE(ps.empty());
    for (const Vertex& v : probe::verticesOf(ps)) {
        const bool inner = corner(v, 50, 25);
        EXPECT_TRUE(inner || corner(v, 55, 30)) << v.x << ", " << v.y;
        EXPECT_EQ(v.rgba[0] + v.rgba[1] + v.rgba[2], 3.0);
        EXPECT_EQ(v.rgba[3], inner ? 1.0 : 0.0);
    }

    const double green[4] = {0, 1, 0, 1};
    band->setSelectedColor(green);
    band->setSelectedBorderWidth(10);
    const std::vector<Primitive> both = drawn({id()});
    const Vertex last = probe::verticesOf(both).back();
    EXPECT_EQ(last.rgba[1], 1.0);
    EXPECT_EQ(last.rgba[0], 0.0) << "the selected band comes last";
    EXPECT_NEAR(std::abs(last.x - kCentre), 60.0, 1e-3);
    EXPECT_EQ(band->builds, 3) << "built at start and by each setter of a built band";
    component->resize(100, 50);
    drawn();
    EXPECT_EQ(band->builds, 3);
}

TEST_F(BorderGLTest, RoundOutlineRadiusFollowsSizeAndScale) {
    auto* round = attach(new Counted<RoundBorderStrategy>, 100, 50);
    auto circle = [&](double rx, double ry) {
        const std::vector<Primitive> ps = drawn();
        for (const Vertex& v : probe::verticesOf(ps)) {
            const double x = (v.x - kCentre) / rx, y = (v.y - kCentre) / ry;
            if (std::abs(x * x + y * y - 1.0) > 1e-4) return std::size_t(0);
        }
        return ps.size();
    };
    EXPECT_EQ(circle(25, 25), 36u) << "a 36-gon of the smaller half extent";
    const Vertex first = drawn()[0].vertices[0];
    EXPECT_NEAR(first.x, kCentre + 25, 1e-3);
    EXPECT_NEAR(first.y, kCentre, 1e-3);

    component->scale.y = 2;  // radius 2 x 25, drawn twice as high again
    EXPECT_EQ(circle(50, 100), 36u);
    EXPECT_EQ(round->builds, 2);
    component->width = 50;
    component->height = 100;
    component->scale = Point3d(2, 1, 1);  // the smaller half extent is now the width's
    EXPECT_EQ(circle(100, 50), 36u);
    EXPECT_EQ(round->builds, 3);

    round->setNumberSegments(8);
    EXPECT_EQ(circle(100, 50), 36u) << "a new segment count waits for a size or scale change";
    component->scale = Point3d(1, 1, 1);
    EXPECT_EQ(circle(25, 25), 8u);
    EXPECT_EQ(round->builds, 4);

    round->setNumberSegments(0);
    component->scale.x = 1.5;
    EXPECT_TRUE(drawn().empty()) << "no segments, no outline";
}

TEST_F(BorderGLTest, GradientRoundBandFromTheCircleOutward) {
    auto* band = attach(new Counted<GradientRoundBorderStrategy>, 100, 100);
    band->setBorderWidth(10);
    const double blue[4] = {0, 0, 1, 0.5};
    band->setSelectedColor(blue);
    const std::vector<Vertex> vs = probe::verticesOf(drawn({id()}));
    ASSERT_FALSE(vs.empty());
    std::size_t inner = 0;
    for (const Vertex& v : vs) {
        const double r = probe::distance(v, kCentre, kCentre);
        if (std::abs(r - 50) < 1e-3) {
            ++inner;
            EXPECT_TRUE(v.rgba[3] == 1.0 || v.rgba[3] == 0.5) << "the band's colour alpha on the circle";
        } else {
            EXPECT_TRUE(std::abs(r - 60) < 1e-3 || std::abs(r - 51.5) < 1e-3) << r;
            EXPECT_EQ(v.rgba[3], 0.0);
        }
    }
    EXPECT_GT(inner, 36u);
    EXPECT_EQ(vs.back().rgba[2], 1.0) << "the selected band comes last";

    band->setNumberSegments(0);
    component->scale.y = 2;
    EXPECT_TRUE(drawn().empty()) << "one pair of vertices encloses nothing";
}

TEST_F(BorderGLTest, SpotIsAnOctagonOfTheScaleFadingToAFixedRimAlpha) {
    spot(new GradientCircleStrategy, 20);
    const std::vector<Vertex> vs = probe::verticesOf(drawn());
    ASSERT_EQ(vs.size(), 8u * 3u) << "a fan of eight triangles";
    bool top = false;
    for (const Vertex& v : vs) {
        EXPECT_EQ(v.rgba[0] + v.rgba[1] + v.rgba[2], 3.0);
        const double r = probe::distance(v, kCentre, kCentre);
        if (r < 1e-3) {
            EXPECT_EQ(v.rgba[3], 1.0) << "the centre";
        } else {
            EXPECT_NEAR(r, 20.0, 1e-3) << "radius 1 times the scale";
            EXPECT_NEAR(v.rgba[3], 32.0 / 255.0, 1e-6);
            top = top || (std::abs(v.x - kCentre) < 1e-3 && std::abs(v.y - kCentre - 20) < 1e-3);
        }
    }
    EXPECT_TRUE(top) << "the rim starts at (0, 1)";

    // Colour changes show only before the first draw, which builds the spot once for all.
    GradientCircleStrategy* blue = spot(new GradientCircleStrategy, 10);
    blue->setColor(0, 0, 255, 255);
    EXPECT_EQ(drawn()[0].vertices[0].rgba[2], 1.0);
    blue->setColor(255, 0, 0, 255);
    blue->getColor()[1] = 255;
    EXPECT_EQ(drawn()[0].vertices[0].rgba[0], 0.0);
    EXPECT_EQ(drawn()[0].vertices[0].rgba[2], 1.0);

    spot(new GradientCircleStrategy(255, 128, 0, 10), 60);
    const std::vector<Vertex> faint = probe::verticesOf(drawn());
    EXPECT_NEAR(faint.front().rgba[3], 10.0 / 255.0, 1e-6) << "the centre";
    EXPECT_NEAR(faint.back().rgba[3], 32.0 / 255.0, 1e-6) << "the rim, even above the centre's 10";
}

TEST_F(BorderGLTest, RoundShapesArePickedInsideTheCircleOnly) {
    PickingManager manager;
    const VisComponentGL* round = manager.add(new RoundBorderStrategy, 60, 60, 80, 80);
    // The corner lies outside the circle of radius 40.
    EXPECT_EQ(manager.at({{60, 60}, {60 + 38, 60}, {60 + 35, 60 + 35}}), (std::vector<unsigned long>{round->id, round->id, kNone}));

    auto* glow = new GradientRoundBorderStrategy;
    glow->setBorderWidth(20);
    const VisComponentGL* soft = manager.add(glow, 190, 60, 80, 80);
    // The band around the circle is not touchable.
    EXPECT_EQ(manager.at({{190 - 38, 60}, {190 - 30, 60 + 30}, {190 - 45, 60}}), (std::vector<unsigned long>{soft->id, kNone, kNone}));

    // A scale above 1 makes the circle reach beyond the rectangle, and picking bounds grow with it.
    VisComponentGL* grown = manager.add(new RoundBorderStrategy, 190, 190, 20, 20);
    grown->scale = Point3d(2, 2, 1);  // radius 2 x 10, drawn twice as large: 40 pixels
    manager.componentMoved(grown);
    EXPECT_EQ(manager.at({{190 + 35, 190}, {190, 190 - 35}}), (std::vector<unsigned long>{grown->id, grown->id}));

    VisComponentGL* marker = manager.add(new GradientCircleStrategy, 60, 190, 0, 0);
    marker->scale = Point3d(20, 20, 1);
    manager.componentMoved(marker);
    // The spot's octagon, though the component has no size.
    EXPECT_EQ(manager.at({{60, 190 + 18}, {60 + 17, 190 + 17}}), (std::vector<unsigned long>{marker->id, kNone}));
}

TEST_F(BorderGLTest, RectangularBordersArePickedOverTheComponentNotTheirBand) {
    PickingManager manager;
    const VisComponentGL* framed = manager.add(new BorderStrategy, 60, 60, 80, 60);
    EXPECT_EQ(manager.at({{60, 60}, {60 + 39, 60 + 29}, {60 + 41, 60}}), (std::vector<unsigned long>{framed->id, framed->id, kNone}));

    auto* glow = new GradientBorderStrategy;
    glow->setBorderWidth(15);
    const VisComponentGL* soft = manager.add(glow, 180, 60, 60, 60);
    EXPECT_EQ(manager.at({{180 + 25, 60}, {180 + 35, 60}}), (std::vector<unsigned long>{soft->id, kNone})) << "not within the band";
}

TEST_F(BorderGLTest, ComponentsWhoseStrategiesDrawNothingForPickingAreNeverPicked) {
    PickingManager manager;
    std::vector<std::string> log;
    manager.add(new RecordingStrategy(&log, "plain"), 60, 60, 80, 80);
    placeComponent<VisComponentGL>(manager, 60, 60, 40, 40);  // on top, without strategies
    auto* hidden = new BorderStrategy;
    hidden->setDrawBorder(false);
    hidden->setDrawSelectedBorder(false);
    manager.add(hidden, 180, 60, 80, 80);
    for (unsigned x = 0; x < 256; x += 8)
        for (unsigned y = 0; y < 256; y += 8) ASSERT_EQ(manager.at(x, y), kNone) << x << ", " << y;
}
