#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/DefaultManager.h"
#include "app/OpenGLExtensions.h"
#include "app/VisComponentGL.h"
#include "appearance/FramebufferObjectBeginStrategy.h"
#include "appearance/FramebufferObjectEndStrategy.h"
#include "appearance/GLProbe.h"
#include "containers/BoundedContainerStrategy.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

using probe::pixelAt;
using probe::pixelsAt;
using probe::Rgb;

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kGreen{0, 255, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

// Fills a rectangle (left, bottom, right, top in component coordinates) with an opaque colour.
struct Paint : VisComponentStrategy {
    Paint(Rgb colour, double l, double b, double r, double t) : colour(colour), rect{l, b, r, t} {}
    void draw(const std::vector<unsigned long>&) override {
        glColor3ub(colour[0], colour[1], colour[2]);
        glRectd(rect[0], rect[1], rect[2], rect[3]);
    }
    Rgb colour;
    double rect[4];
};

Paint* fill(Rgb colour, double hw, double hh) { return new Paint(colour, -hw, -hh, hw, hh); }

// A captured component: begin, the strategies given, end.
FramebufferObjectBeginStrategy* capture(VisComponent* c, std::initializer_list<VisComponentStrategy*> inside) {
    auto* begin = new FramebufferObjectBeginStrategy;
    c->pushStrategy(begin);
    for (VisComponentStrategy* s : inside) c->pushStrategy(s);
    c->pushStrategy(new FramebufferObjectEndStrategy);
    return begin;
}

class CaptureManager : public DefaultManager {
public:
    CaptureManager() { resize(GLContextEnvironment::kSize, GLContextEnvironment::kSize); }

    // A captured component of the scene, centred in the viewport; its begin strategy.
    FramebufferObjectBeginStrategy* captured(unsigned w, unsigned h, std::initializer_list<VisComponentStrategy*> inside = {}) {
        last = makeComponent<VisComponentGL>(128, 128, w, h);
        FramebufferObjectBeginStrategy* begin = capture(last, inside);
        addComponent(last);
        return begin;
    }
    void enable(VisComponent* c, bool on = true) {
        DravikEvent e(eventType(on ? "ENABLE_FRAMEBUFFER_OBJECT_RENDERING" : "DISABLE_FRAMEBUFFER_OBJECT_RENDERING"),
                      DravikEvent::NoUserId, 0, 0);
        processEvent(&e, c);
    }
    void frame() {
        glClear(GL_COLOR_BUFFER_BIT);
        renderAll(false, true, false);
    }

    VisComponentGL* last = nullptr;  // the component captured last
};

std::string outputOf(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

GLint textureWidth(GLuint texture) {
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glBindTexture(GL_TEXTURE_2D, 0);
    return width;
}

class FramebufferCaptureGLTest : public GLTest {};

}  // namespace

TEST_F(FramebufferCaptureGLTest, CapturesTheSubtreeAndDrawsItUprightInPlace) {
    CaptureManager manager;
    // 64 x 64 at (100, 120): red above its middle, blue below; a green child inside it and a
    // white bar that reaches beyond its right edge (x = 132).
    VisComponentGL* top = makeComponent<VisComponentGL>(100, 120, 64, 64);
    FramebufferObjectBeginStrategy* begin = capture(top, {new Paint(kRed, -32, 0, 32, 32), new Paint(kBlue, -32, -32, 32, 0)});
    top->addChild(makeComponent<VisComponentGL>(120, 140, 16, 16, {fill(kGreen, 8, 8)}));
    top->addChild(makeComponent<VisComponentGL>(140, 100, 40, 10, {fill(kWhite, 20, 5)}));
    manager.addComponent(top);
    manager.enable(top);
    ASSERT_TRUE(begin->isEnabled());

    manager.frame();
    // The child is captured in its place; beyond the captured rectangle nothing of the subtree shows.
    EXPECT_EQ(pixelsAt({{90, 148}, {90, 92}, {120, 140}, {128, 100}, {140, 100}, {100, 160}}),
              (std::vector<Rgb>{kRed, kBlue, kGreen, kWhite, kBlack, kBlack}));
    GLint framebuffer = -1;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
    EXPECT_EQ(framebuffer, 0);

    // The texture itself: its first row is the component's bottom edge.
    std::vector<unsigned char> texels(64 * 64 * 4);
    glBindTexture(GL_TEXTURE_2D, begin->getTexture());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(texels[2], 255) << "bottom row blue";
    EXPECT_EQ(texels[3], 0) << "opaque drawing leaves no transparency";
    EXPECT_EQ(texels[(63 * 64) * 4], 255) << "top row red";

    // Turned a quarter turn, the capture turns with it: red on the left.
    top->rotateBranch(M_PI / 2);
    manager.frame();
    EXPECT_EQ(pixelsAt({{80, 120}, {120, 120}}), (std::vector<Rgb>{kRed, kBlue}));

    // Switched off, the subtree is drawn directly again, the bar whole.
    manager.enable(top, false);
    top->rotateBranch(-M_PI / 2);
    manager.frame();
    EXPECT_EQ(pixelsAt({{140, 100}, {90, 148}}), (std::vector<Rgb>{kWhite, kRed}));
}

TEST_F(FramebufferCaptureGLTest, CapturesNestAndTheInnermostWinsPixelForPixel) {
    CaptureManager manager;
    VisComponentGL* outer = makeComponent<VisComponentGL>(80, 80, 64, 64);
    capture(outer, {fill(kRed, 32, 32)});
    VisComponentGL* inner = makeComponent<VisComponentGL>(80, 80, 32, 32);
    capture(inner, {fill(kGreen, 16, 16)});
    inner->addChild(makeComponent<VisComponentGL>(96, 80, 16, 8, {fill(kBlue, 8, 4)}));  // reaches out of the inner one
    outer->addChild(inner);
    manager.addComponent(outer);
    manager.enable(outer);
    manager.enable(inner);
    manager.frame();
    // The blue bar is cut at the inner capture's edge.
    EXPECT_EQ(pixelsAt({{80, 80}, {92, 80}, {100, 80}, {120, 110}}), (std::vector<Rgb>{kGreen, kBlue, kRed, kBlack}));

    // Nine captures inside each other: the ninth is drawn directly, with one message.
    CaptureManager deep;
    VisComponentGL* parent = nullptr;
    for (int i = 0; i < 9; ++i) {
        const unsigned side = 200 - 20 * i;
        VisComponentGL* c = makeComponent<VisComponentGL>(128, 128, side, side);
        capture(c, {fill(i % 2 ? kWhite : kBlue, side / 2.0, side / 2.0)});
        if (parent != nullptr) parent->addChild(c);
        else deep.addComponent(c);
        outputOf([&] { deep.enable(c); });  // sizes that are no powers of two: warnings
        parent = c;
    }
    const std::string said = outputOf([&] {
        deep.frame();
        deep.frame();
    });
    EXPECT_EQ(said, "Warning in FramebufferObjectBeginStrategy::draw() - Captures nest deeper than 8: the "
                    "component is drawn without capture.\n");
    // The ninth and innermost, the eighth, the first.
    EXPECT_EQ(pixelsAt({{128, 128}, {128 + 25, 128}, {128 + 95, 128}}), (std::vector<Rgb>{kBlue, kWhite, kBlue}));
}

TEST_F(FramebufferCaptureGLTest, PowerOfTwoWarningsAndIncompleteFramebuffersThrow) {
    CaptureManager manager;
    auto enableOutput = [&](unsigned w, unsigned h) {
        manager.captured(w, h);
        return outputOf([&] { manager.enable(manager.last); });
    };
    const std::string warning = "Warning in FramebufferObjectBeginStrategy::onEvent() - ";
    const std::string hint =
        ").\n\tIf OpenGL does not support ARB_texture_non_power_of_two then it is likely the framebuffer object "
        "will not be created.\n";
    EXPECT_EQ(enableOutput(256, 128), "");
    EXPECT_EQ(enableOutput(300, 100), warning + "Texture width is not a power of two (300" + hint);
    EXPECT_EQ(enableOutput(256, 100), warning + "Texture height is not a power of two (100" + hint);

    // Width 0 passes the power-of-two test; its framebuffer is incomplete, as is one too large.
    for (unsigned side : {0u, 16384u}) {
        FramebufferObjectBeginStrategy* begin = manager.captured(side, side);
        GLint bound = -1;
        try {
            manager.enable(manager.last);
            ADD_FAILURE() << "no error for " << side;
        } catch (const std::runtime_error& e) {
            glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
            EXPECT_EQ(std::string(e.what()).rfind("ERRROR in FramebufferObjectBeginStrategy::onEvent() - Framebuffer "
                                                  "object status GL_FRAMEBUFFER_",
                                                  0),
                      0u)
                << e.what();
        }
        EXPECT_EQ(bound, 0);
        EXPECT_FALSE(begin->isEnabled());
    }
}

TEST_F(FramebufferCaptureGLTest, EveryEnableRebuildsTheTextureAtTheSizeOfThatMoment) {
    CaptureManager manager;
    FramebufferObjectBeginStrategy* begin = manager.captured(64, 32, {fill(kRed, 100, 100)});
    VisComponentGL* c = manager.last;
    manager.enable(c);
    EXPECT_EQ(textureWidth(begin->getTexture()), 64);
    manager.enable(c, false);
    c->resize(128, 32);
    EXPECT_EQ(textureWidth(begin->getTexture()), 64) << "a resize takes effect at the next enable";
    manager.frame();
    EXPECT_EQ(pixelAt(128 + 90, 128), kRed) << "disabled: drawn directly, beyond the component";
    EXPECT_EQ(captureFeedback([&] { manager.renderAll(false, true, false); }).size(), 2u)
        << "disabled, neither strategy draws: only the red rectangle's two triangles";

    manager.enable(c);
    EXPECT_EQ(textureWidth(begin->getTexture()), 128);
    manager.frame();
    EXPECT_EQ(pixelAt(128 + 60, 128), kRed);
    EXPECT_EQ(pixelAt(128 + 70, 128), kBlack);
}

TEST_F(FramebufferCaptureGLTest, ABeginFindsItsEndOrPairsWithItOnALiveComponent) {
    VisComponentGL c;
    c.pushStrategy(new FramebufferObjectBeginStrategy);
    try {
        c.initPropertiesComponent();
        ADD_FAILURE() << "no error";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(),
                     "ERROR in FramebufferObjectBeginStrategy::initProperties() - Could not find "
                     "FramebufferObjectEndStrategy in VisComponent.");
    }

    // Pushed in drawing order onto a component already in a scene, the pair captures.
    CaptureManager manager;
    VisComponentGL* live = makeComponent<VisComponentGL>(128, 128, 64, 64);
    manager.addComponent(live);
    auto* begin = capture(live, {fill(kRed, 100, 10)});
    manager.enable(live);
    EXPECT_TRUE(begin->isEnabled());
    manager.frame();
    EXPECT_EQ(pixelAt(128 + 20, 128), kRed);
    EXPECT_EQ(pixelAt(128 + 40, 128), kBlack) << "cut at the captured rectangle";
}

TEST_F(FramebufferCaptureGLTest, ACapturedTrayKeepsItsCoverageInTheTexturesAlpha) {
    CaptureManager manager;
    FramebufferObjectBeginStrategy* begin = manager.captured(128, 128, {new BoundedContainerStrategy(8, 2)});
    VisComponentGL* c = manager.last;
    manager.enable(c);
    manager.frame();
    // The inside is drawn with alpha 0.7: what remains transparent is 0.3, whatever the
    // host's blend function.
    std::vector<unsigned char> rgba(std::size_t(c->width) * c->height * 4);
    glBindTexture(GL_TEXTURE_2D, begin->getTexture());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    const std::size_t centre = (std::size_t(c->height / 2) * c->width + c->width / 2) * 4;
    EXPECT_NEAR(rgba[centre + 3], 0.3 * 255, 2);
    EXPECT_NEAR(rgba[centre + 2], 0.24f * 0.7 * 255, 2) << "blue, weighted by its alpha";
}

TEST_F(FramebufferCaptureGLTest, WithoutFramebufferObjectsComponentsAreDrawnDirectly) {
    OpenGLExtensions::pretendMissing({"GL_EXT_framebuffer_object"});
    CaptureManager manager;
    VisComponentGL* c = makeComponent<VisComponentGL>(128, 128, 32, 32);
    std::string said = outputOf([&] {
        capture(c, {fill(kRed, 60, 5)});
        manager.addComponent(c);
        manager.enable(c);
        manager.enable(c);
        manager.frame();
    });
    OpenGLExtensions::pretendMissing({});
    EXPECT_EQ(said,
              "OpenGL extensionGL_EXT_framebuffer_object was not found!\n"
              "OpenGL extensionGL_EXT_framebuffer_object was not found!"
              "Warning in FramebufferObjectBeginStrategy::onEvent() - The OpenGL driver offers no framebuffer "
              "objects: the component is drawn without capture.\n");
    EXPECT_EQ(pixelAt(128 + 50, 128), kRed) << "drawn directly, beyond the component's rectangle";
}
