#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/VisComponentGL.h"
#include "appearance/BetterBorderStrategy.h"
#include "appearance/BorderStrategy.h"
#include "appearance/GLProbe.h"
#include "appearance/GradientBorderStrategy.h"
#include "appearance/GradientRoundBorderStrategy.h"
#include "appearance/RoundBorderStrategy.h"
#include "support/GLContext.h"

namespace {

using probe::feedbackOf;
using probe::Primitive;
using probe::Vertex;

constexpr double kCentre = 128.0;

// A border that counts how often it builds its display lists.
template <class Border>
class Counted : public Border {
public:
    using Border::Border;
    int builds = 0;
    void build() { this->createDisplayList(); }
    std::uint32_t list() const { return this->displayList; }

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
        component = std::make_unique<VisComponentGL>();
        component->position = Point3d(kCentre, kCentre, 0);
        component->width = w;
        component->height = h;
        component->pushStrategy(border);
        component->initPropertiesComponent();
        return border;
    }
    std::vector<Primitive> drawn(const std::vector<unsigned long>& selected = {}) {
        return feedbackOf([&] { component->render(selected); });
    }
    unsigned long id() const { return component->id; }

    std::unique_ptr<VisComponentGL> component;
};

// True when every vertex lies on the corners of the rectangle centred in the viewport with
// the half extents given.
bool onRectangle(const std::vector<Primitive>& ps, double hw, double hh) {
    for (const Vertex& v : probe::verticesOf(ps))
        if (std::abs(std::abs(v.x - kCentre) - hw) > 1e-3 || std::abs(std::abs(v.y - kCentre) - hh) > 1e-3)
            return false;
    return !ps.empty();
}

float lineWidth() {
    GLfloat w = 0;
    glGetFloatv(GL_LINE_WIDTH, &w);
    return w;
}

}  // namespace

TEST(BorderDefaults, WhiteOutlinesOfOneAndAHalfPixelsBothDrawn) {
    BorderStrategy plain;
    BetterBorderStrategy better;
    for (const double* c : {plain.getColor(), plain.getSelectedColor(), better.getBorderColor(),
                            better.getSelectedBorderColor()})
        EXPECT_EQ(std::vector<double>(c, c + 4), (std::vector<double>{1, 1, 1, 1}));
    EXPECT_EQ(plain.getBorderWidth(), 1.5);
    EXPECT_EQ(better.getSelectedBorderWidth(), 1.5);
    EXPECT_TRUE(plain.getDrawBorder() && plain.getDrawSelectedBorder());
    EXPECT_TRUE(better.getDrawBorder() && better.getDrawSelectedBorder());
    EXPECT_EQ(GradientBorderStrategy().getSelectedBorderWidth(), 5.0);
    EXPECT_EQ(RoundBorderStrategy().getBorderWidth(), 1.5);
    EXPECT_EQ(GradientRoundBorderStrategy().getNumberSegements(), 36u);

    double red[4] = {1, 0, 0, 0.5};
    BetterBorderStrategy configured(red, nullptr, 2.0, 3.0, false, true);
    red[0] = 0;  // the colour was copied
    EXPECT_EQ(configured.getBorderColor()[0], 1.0);
    EXPECT_EQ(configured.getSelectedBorderColor()[2], 1.0);
    EXPECT_FALSE(configured.getDrawBorder());
}

TEST_F(BorderGLTest, OutlineOnTheEdgeInItsColourThenTheSelectedOneOnTop) {
    auto* border = attach(new Counted<BorderStrategy>, 100, 50);
    const double green[4] = {0, 1, 0, 1}, blue[4] = {0, 0, 1, 0.8};
    border->setColor(green);
    border->setSelectedColor(blue);
    border->setBorderWidth(5);
    border->setSelectedBorderWidth(3);
    component->color[3] = 0.5;

    std::vector<Primitive> normal = drawn({999});
    ASSERT_EQ(normal.size(), 4u);
    EXPECT_TRUE(onRectangle(normal, 50, 25));
    EXPECT_EQ(normal[0].vertices[0].g, 1.0);
    EXPECT_EQ(normal[0].vertices[0].a, 0.5) << "the component's alpha multiplies the outline's";
    EXPECT_EQ(lineWidth(), 5.0f);

    const std::vector<Primitive> both = drawn({999, id()});
    ASSERT_EQ(both.size(), 8u);
    EXPECT_EQ(both[7].vertices[0].b, 1.0);
    EXPECT_NEAR(both[7].vertices[0].a, 0.4, 1e-6);
    EXPECT_EQ(lineWidth(), 3.0f) << "left as the last outline set it";

    // The outline's pixels by read-back: a 5 pixel green line on the top edge, nothing inside.
    component->color[3] = 1.0;
    glClear(GL_COLOR_BUFFER_BIT);
    component->render({});
    EXPECT_TRUE(probe::near(probe::pixelAt(128, 153), {0, 255, 0}));
    EXPECT_EQ(probe::pixelAt(128, 140), (probe::Rgb{0, 0, 0}));

    border->setDrawBorder(false);
    EXPECT_TRUE(drawn({}).empty());
    EXPECT_EQ(drawn({id()}).size(), 4u) << "only the selected outline";
}

TEST_F(BorderGLTest, WithoutOutlinesNothingAtAllIsDrawn) {
    auto* border = new Counted<BorderStrategy>;
    border->setDrawBorder(false);
    border->setDrawSelectedBorder(false);
    attach(border, 100, 50);
    component->resize(80, 80);
    glLineWidth(7.0f);
    glColor4d(0.25, 0.25, 0.25, 0.25);
    EXPECT_TRUE(drawn({id()}).empty());
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 0.25f);
    EXPECT_EQ(lineWidth(), 7.0f);
    EXPECT_EQ(border->builds, 1) << "only initProperties built; draw did not rebuild for the new size";
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
    component->resize(200, 80);
    EXPECT_EQ(border->builds, 1) << "a plain border waits for the next draw";
    EXPECT_TRUE(onRectangle(drawn(), 100, 40));
    EXPECT_EQ(border->builds, 2);

    const double red[4] = {1, 0, 0, 1};
    border->setColor(red);  // setters rebuild a built list at once
    EXPECT_EQ(border->builds, 3);

    // The stand-alone variant rebuilds as soon as the resize is reported.
    auto* better = attach(new Counted<BetterBorderStrategy>, 100, 50);
    EXPECT_TRUE(onRectangle(drawn(), 50, 25));
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
        const bool inner = std::abs(std::abs(v.x - kCentre) - 50) < 1e-3 && std::abs(std::abs(v.y - kCentre) - 25) < 1e-3;
        const bool outer = std::abs(std::abs(v.x - kCentre) - 55) < 1e-3 && std::abs(std::abs(v.y - kCentre) - 30) < 1e-3;
        EXPECT_TRUE(inner || outer) << v.x << ", " << v.y;
        EXPECT_EQ(v.r + v.g + v.b, 3.0);
        EXPECT_EQ(v.a, inner ? 1.0 : 0.0);
    }

    const double green[4] = {0, 1, 0, 1};
    band->setSelectedColor(green);
    band->setSelectedBorderWidth(10);
    const std::vector<Primitive> both = drawn({id()});
    const Vertex last = probe::verticesOf(both).back();
    EXPECT_EQ(last.g, 1.0);
    EXPECT_EQ(last.r, 0.0) << "the selected band comes last";
    EXPECT_NEAR(std::abs(last.x - kCentre), 60.0, 1e-3);
    EXPECT_EQ(band->builds, 3) << "built at start and by each setter of a built band";
    component->resize(100, 50);
    drawn();
    EXPECT_EQ(band->builds, 3);

    // By read-back, with the host blending: the band's left side, 20 pixels wide from the
    // edge at x = 78, is red fading linearly to the black below.
    const double red[4] = {1, 0, 0, 1};
    band->setColor(red);
    band->setBorderWidth(20);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    component->render({});
    glDisable(GL_BLEND);
    for (int x : {76, 72, 67, 62}) {
        const double fromEdge = 78.0 - (x + 0.5);
        const int expected = static_cast<int>(255 * (1.0 - fromEdge / 20.0) + 0.5);
        EXPECT_NEAR(probe::pixelAt(x, 128)[0], expected, 3) << "x = " << x;
    }
    EXPECT_EQ(probe::pixelAt(56, 128)[0], 0) << "beyond the band";
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
            EXPECT_TRUE(v.a == 1.0 || v.a == 0.5) << "the band's colour alpha on the circle";
        } else {
            EXPECT_TRUE(std::abs(r - 60) < 1e-3 || std::abs(r - 51.5) < 1e-3) << r;
            EXPECT_EQ(v.a, 0.0);
        }
    }
    EXPECT_GT(inner, 36u);
    EXPECT_EQ(vs.back().b, 1.0) << "the selected band comes last";

    component->scale = Point3d(1, 2, 1);
    drawn();
    EXPECT_EQ(band->builds, 4) << "start, two setters, one scale change";
    band->setNumberSegments(0);
    component->scale = Point3d(1, 1, 1);
    EXPECT_TRUE(drawn().empty()) << "one pair of vertices encloses nothing";
}
