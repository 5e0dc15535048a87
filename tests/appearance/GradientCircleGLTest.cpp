#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "app/VisComponentGL.h"
#include "appearance/GLProbe.h"
#include "appearance/GradientCircleStrategy.h"
#include "support/GLContext.h"

namespace {

constexpr double kCentre = 128.0;

class GradientCircleGLTest : public GLTest {
protected:
    GradientCircleStrategy* attach(GradientCircleStrategy* spot, double scale) {
        component = std::make_unique<VisComponentGL>();
        component->position = Point3d(kCentre, kCentre, 0);
        component->width = 300;  // plays no part
        component->height = 7;
        component->scale = Point3d(scale, scale, 1);
        component->pushStrategy(spot);
        return spot;
    }
    std::vector<probe::Vertex> drawn() {
        return probe::verticesOf(probe::feedbackOf([&] { component->render({}); }));
    }
    std::unique_ptr<VisComponentGL> component;
};

}  // namespace

TEST_F(GradientCircleGLTest, OctagonOfTheScaleFadingToAFixedRimAlpha) {
    attach(new GradientCircleStrategy, 20);
    const std::vector<probe::Vertex> vs = drawn();
    ASSERT_EQ(vs.size(), 8u * 3u) << "a fan of eight triangles";
    bool top = false;
    for (const probe::Vertex& v : vs) {
        EXPECT_EQ(v.r + v.g + v.b, 3.0);
        const double r = probe::distance(v, kCentre, kCentre);
        if (r < 1e-3) {
            EXPECT_EQ(v.a, 1.0) << "the centre";
        } else {
            EXPECT_NEAR(r, 20.0, 1e-3) << "radius 1 times the scale";
            EXPECT_NEAR(v.a, 32.0 / 255.0, 1e-6);
            top = top || (std::abs(v.x - kCentre) < 1e-3 && std::abs(v.y - kCentre - 20) < 1e-3);
        }
    }
    EXPECT_TRUE(top) << "the rim starts at (0, 1)";

    // By read-back, without blending: the colour reaches the rim and no further.
    auto* spot = attach(new GradientCircleStrategy(255, 128, 0, 10), 60);
    glClear(GL_COLOR_BUFFER_BIT);
    component->render({});
    EXPECT_TRUE(probe::near(probe::pixelAt(128, 128 + 50), {255, 128, 0}));
    EXPECT_EQ(probe::pixelAt(128 + 50, 128 + 50), (probe::Rgb{0, 0, 0}));
    for (const probe::Vertex& v : drawn()) {
        if (probe::distance(v, kCentre, kCentre) > 1) {
            EXPECT_NEAR(v.a, 32.0 / 255.0, 1e-6) << "even above the centre's 10";
        }
    }
    EXPECT_NEAR(drawn().front().a, 10.0 / 255.0, 1e-6);
    EXPECT_EQ(spot->getColor()[1], 128);
}

TEST_F(GradientCircleGLTest, ColourChangesReachTheSpotOnlyBeforeItsFirstDraw) {
    auto* spot = attach(new GradientCircleStrategy, 10);
    spot->setColor(0, 0, 255, 255);
    EXPECT_EQ(drawn().front().b, 1.0);
    spot->setColor(255, 0, 0, 255);
    spot->getColor()[1] = 255;
    EXPECT_EQ(drawn().front().r, 0.0) << "the spot was built at the first draw and kept";
    EXPECT_EQ(drawn().front().b, 1.0);
}
