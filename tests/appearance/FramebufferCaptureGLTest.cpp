#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/DefaultManager.h"
#include "app/OpenGLExtensions.h"
#include "app/VisComponentGL.h"
#include "appearance/FramebufferObjectBeginStrategy.h"
#include "appearance/FramebufferObjectEndStrategy.h"
#include "appearance/GLProbe.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

using probe::pixelAt;
using probe::Rgb;

const Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kGreen{0, 255, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

// Fills a rectangle in component coordinates with an opaque colour.
class Paint : public VisComponentStrategy {
public:
    Paint(Rgb colour, double l, double b, double r, double t) : colour(colour), l(l), b(b), r(r), t(t) {}

protected:
    void draw(const std::vector<unsigned long>&) override {
        glColor3ub(colour[0], colour[1], colour[2]);
        glRectd(l, b, r, t);
    }

private:
    Rgb colour;
    double l, b, r, t;
};

class CaptureManager : public DefaultManager {
public:
    CaptureManager() { resize(GLContextEnvironment::kSize, GLContextEnvironment::kSize); }

    VisComponentGL* make(double x, double y, unsigned w, unsigned h) {
        auto* c = new VisComponentGL;
        c->position = Point3d(x, y, 0);
        c->width = w;
        c->height = h;
        return c;
    }
    void send(const char* type, VisComponent* c) {
        DravikEvent e(eventType(type), DravikEvent::NoUserId, 0, 0);
        processEvent(&e, c);
    }
    void frame() {
        glClear(GL_COLOR_BUFFER_BIT);
        renderAll(false, true, false);
    }
};

// A captured component: begin, what `paint` pushes, end.
template <class Paint>
FramebufferObjectBeginStrategy* capture(VisComponent* c, Paint paint) {
    auto* begin = new FramebufferObjectBeginStrategy;
    c->pushStrategy(begin);
    paint(c);
    c->pushStrategy(new FramebufferObjectEndStrategy);
    return begin;
}

std::string outputOf(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

class FramebufferCaptureGLTest : public GLTest {};

}  // namespace

TEST_F(FramebufferCaptureGLTest, CapturesTheSubtreeAndDrawsItUprightInPlace) {
    CaptureManager manager;
    // 64 x 64 at (100, 120): red above its middle, blue below; a green child inside it and a
    // white bar that reaches beyond its right edge (x = 132).
    VisComponentGL* top = manager.make(100, 120, 64, 64);
    FramebufferObjectBeginStrategy* begin = capture(top, [](VisComponent* c) {
        c->pushStrategy(new Paint(kRed, -32, 0, 32, 32));
        c->pushStrategy(new Paint(kBlue, -32, -32, 32, 0));
    });
    VisComponentGL* inside = manager.make(120, 140, 16, 16);
    inside->pushStrategy(new Paint(kGreen, -8, -8, 8, 8));
    VisComponentGL* bar = manager.make(140, 100, 40, 10);
    bar->pushStrategy(new Paint(kWhite, -20, -5, 20, 5));
    top->addChild(inside);
    top->addChild(bar);
    manager.addComponent(top);
    manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", top);
    ASSERT_TRUE(begin->isEnabled());

    manager.frame();
    EXPECT_EQ(pixelAt(90, 148), kRed);
    EXPECT_EQ(pixelAt(90, 92), kBlue);
    EXPECT_EQ(pixelAt(120, 140), kGreen) << "the child is captured in its place";
    EXPECT_EQ(pixelAt(128, 100), kWhite);
    EXPECT_EQ(pixelAt(140, 100), kBlack) << "beyond the captured rectangle nothing of the subtree shows";
    EXPECT_EQ(pixelAt(100, 160), kBlack);
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
    EXPECT_EQ(pixelAt(80, 120), kRed);
    EXPECT_EQ(pixelAt(120, 120), kBlue);

    // Switched off, the subtree is drawn directly again, the bar whole.
    manager.send("DISABLE_FRAMEBUFFER_OBJECT_RENDERING", top);
    top->rotateBranch(-M_PI / 2);
    manager.frame();
    EXPECT_EQ(pixelAt(140, 100), kWhite);
    EXPECT_EQ(pixelAt(90, 148), kRed);
}

TEST_F(FramebufferCaptureGLTest, CapturesNestAndTheInnermostWinsPixelForPixel) {
    CaptureManager manager;
    VisComponentGL* outer = manager.make(80, 80, 64, 64);
    capture(outer, [](VisComponent* c) { c->pushStrategy(new Paint(kRed, -32, -32, 32, 32)); });
    VisComponentGL* inner = manager.make(80, 80, 32, 32);
    capture(inner, [](VisComponent* c) { c->pushStrategy(new Paint(kGreen, -16, -16, 16, 16)); });
    VisComponentGL* poking = manager.make(96, 80, 16, 8);  // reaches out of the inner one
    poking->pushStrategy(new Paint(kBlue, -8, -4, 8, 4));
    inner->addChild(poking);
    outer->addChild(inner);
    manager.addComponent(outer);
    for (VisComponent* c : {outer, inner}) manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c);

    manager.frame();
    EXPECT_EQ(pixelAt(80, 80), kGreen);
    EXPECT_EQ(pixelAt(92, 80), kBlue);
    EXPECT_EQ(pixelAt(100, 80), kRed) << "the blue bar is cut at the inner capture's edge";
    EXPECT_EQ(pixelAt(120, 110), kBlack);

    // Nine captures inside each other: the ninth is drawn directly, with one message.
    CaptureManager deep;
    VisComponentGL* parent = nullptr;
    std::vector<VisComponentGL*> chain;
    for (int i = 0; i < 9; ++i) {
        VisComponentGL* c = deep.make(128, 128, 200 - 20 * i, 200 - 20 * i);
        const double h = (200 - 20 * i) / 2.0;
        capture(c, [&](VisComponent* s) { s->pushStrategy(new Paint(i % 2 ? kWhite : kBlue, -h, -h, h, h)); });
        if (parent != nullptr) parent->addChild(c);
        else deep.addComponent(c);
        parent = c;
        chain.push_back(c);
    }
    outputOf([&] {  // sizes that are no powers of two: warnings
        for (VisComponentGL* c : chain) deep.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c);
    });
    const std::string said = outputOf([&] {
        deep.frame();
        deep.frame();
    });
    EXPECT_EQ(said, "Warning in FramebufferObjectBeginStrategy::draw() - Captures nest deeper than 8: the "
                    "component is drawn without capture.\n");
    EXPECT_EQ(pixelAt(128, 128), kBlue) << "the ninth, innermost";
    EXPECT_EQ(pixelAt(128 + 25, 128), kWhite) << "the eighth";
    EXPECT_EQ(pixelAt(128 + 95, 128), kBlue) << "the first";
}

TEST_F(FramebufferCaptureGLTest, SizesThatCannotBeCapturedAreDrawnDirectlyWithOneMessage) {
    CaptureManager manager;
    auto enableOutput = [&](unsigned w, unsigned h, FramebufferObjectBeginStrategy** begin = nullptr) {
        VisComponentGL* c = manager.make(128, 128, w, h);
        FramebufferObjectBeginStrategy* b = capture(c, [](VisComponent*) {});
        manager.addComponent(c);
        if (begin != nullptr) *begin = b;
        return outputOf([&] { manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c); });
    };
    const std::string hint =
        ").\n\tIf OpenGL does not support ARB_texture_non_power_of_two then it is likely the framebuffer object "
        "will not be created.\n";
    EXPECT_EQ(enableOutput(256, 128), "");
    EXPECT_EQ(enableOutput(300, 100),
              "Warning in FramebufferObjectBeginStrategy::onEvent() - Texture width is not a power of two (300" + hint);
    EXPECT_EQ(enableOutput(256, 100),
              "Warning in FramebufferObjectBeginStrategy::onEvent() - Texture height is not a power of two (100" + hint);

    FramebufferObjectBeginStrategy* empty = nullptr;
    const std::string none = enableOutput(0, 0, &empty);
    EXPECT_EQ(none.find("Warning in FramebufferObjectBeginStrategy::onEvent() - A component of 0 x 0 pixels "
                        "cannot be captured"),
              0u)
        << none;
    EXPECT_NE(none.find("it is drawn without capture.\n"), std::string::npos);
    EXPECT_FALSE(empty->isEnabled());
    FramebufferObjectBeginStrategy* huge = nullptr;
    EXPECT_NE(enableOutput(16384, 16384, &huge).find("A component of 16384 x 16384 pixels cannot be captured"),
              std::string::npos);
    EXPECT_FALSE(huge->isEnabled());
    EXPECT_EQ(huge->getTexture() == 0 ? 0 : [&] {
        GLint width = 0;
        glBindTexture(GL_TEXTURE_2D, huge->getTexture());
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glBindTexture(GL_TEXTURE_2D, 0);
        return width;
    }(), 0) << "nothing allocated";

    // The rest of the scene is drawn; the impossible captures draw their components directly.
    VisComponentGL* plain = manager.make(20, 20, 10, 10);
    plain->pushStrategy(new Paint(kGreen, -5, -5, 5, 5));
    manager.addComponent(plain);
    manager.frame();
    EXPECT_EQ(pixelAt(20, 20), kGreen);
}

TEST_F(FramebufferCaptureGLTest, EveryEnableRebuildsTheTextureAtTheSizeOfThatMoment) {
    CaptureManager manager;
    VisComponentGL* c = manager.make(128, 128, 64, 32);
    FramebufferObjectBeginStrategy* begin = capture(c, [](VisComponent* s) {
        s->pushStrategy(new Paint(kRed, -100, -100, 100, 100));
    });
    manager.addComponent(c);
    auto textureWidth = [&] {
        GLint width = 0;
        glBindTexture(GL_TEXTURE_2D, begin->getTexture());
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glBindTexture(GL_TEXTURE_2D, 0);
        return width;
    };
    manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c);
    EXPECT_EQ(textureWidth(), 64);
    manager.send("DISABLE_FRAMEBUFFER_OBJECT_RENDERING", c);
    c->resize(128, 32);
    EXPECT_EQ(textureWidth(), 64) << "a resize takes effect at the next enable";
    manager.frame();
    EXPECT_EQ(pixelAt(128 + 90, 128), kRed) << "disabled: drawn directly, beyond the component";

    // Both disabled: neither strategy draws anything.
    const std::vector<probe::Primitive> drawn = probe::feedbackOf([&] { manager.renderAll(false, true, false); });
    EXPECT_EQ(drawn.size(), 2u) << "only the red rectangle's two triangles";

    manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c);
    EXPECT_EQ(textureWidth(), 128);
    manager.frame();
    EXPECT_EQ(pixelAt(128 + 60, 128), kRed);
    EXPECT_EQ(pixelAt(128 + 70, 128), kBlack);
}

TEST_F(FramebufferCaptureGLTest, ABeginWithoutItsEndIsAnError) {
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
}

TEST_F(FramebufferCaptureGLTest, WithoutFramebufferObjectsComponentsAreDrawnDirectly) {
    OpenGLExtensions::pretendMissing({"GL_EXT_framebuffer_object"});
    CaptureManager manager;
    VisComponentGL* c = manager.make(128, 128, 32, 32);
    std::string said = outputOf([&] {
        capture(c, [](VisComponent* s) { s->pushStrategy(new Paint(kRed, -60, -5, 60, 5)); });
        manager.addComponent(c);
        manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c);
        manager.send("ENABLE_FRAMEBUFFER_OBJECT_RENDERING", c);
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
