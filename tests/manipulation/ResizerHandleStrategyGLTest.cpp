#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "app/VisComponentGL.h"
#include "manipulation/ResizerHandleStrategy.h"
#include "support/FeedbackCapture.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

// A 50 x 30 component at (128, 128), scaled twice: 100 x 60 display pixels.
struct Handle : GLTest {
    DravikManager manager{nullptr, 0};
    ResizerHandleStrategy* handle = new ResizerHandleStrategy;
    VisComponent* component = new VisComponentGL;

    void SetUp() override {
        GLTest::SetUp();
        component->position = Point3d(128, 128, 0);
        component->width = 50;
        component->height = 30;
        component->scale = Point3d(2, 2, 1);
        const double normal[4] = {1, 0, 0, 1}, selected[4] = {0, 1, 0, 1};
        handle->setColor(normal);
        handle->setSelectedColor(selected);
        component->pushStrategy(handle);
        manager.addComponent(component);
    }
    void send(const char* type, double x, double y) {
        DravikEvent e(eventType(type), 1, x, y);
        component->onEvent(&e);
    }
};

}  // namespace

TEST_F(Handle, DrawsABracketOutsideTheMovingCornerInDisplayPixels) {
    component->color[3] = 0.5;
    const auto lines = captureFeedback([&] { component->render({}); });
    ASSERT_EQ(lines.size(), 2u);
    const FeedbackVertex& first = lines[0].vertices[0];
    const FeedbackVertex& corner = lines[0].vertices[1];
    const FeedbackVertex& last = lines[1].vertices[1];
    EXPECT_NEAR(first.x, 128 + 42.5, 1e-3);
    EXPECT_NEAR(first.y, 128 - 31.5, 1e-3);
    EXPECT_NEAR(corner.x, 128 + 51.5, 1e-3);
    EXPECT_NEAR(corner.y, 128 - 31.5, 1e-3);
    EXPECT_NEAR(last.x, 128 + 51.5, 1e-3);
    EXPECT_NEAR(last.y, 128 - 25.5, 1e-3);
    EXPECT_NEAR(first.rgba[0], 1.0, 1e-3);
    EXPECT_NEAR(first.rgba[3], 0.5, 1e-3) << "with the component's alpha";

    const auto selected = captureFeedback([&] { component->render({component->id}); });
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_NEAR(selected[0].vertices[0].rgba[0], 0.0, 1e-3);
    EXPECT_NEAR(selected[0].vertices[0].rgba[1], 1.0, 1e-3);
}

TEST_F(Handle, APressOnTheHandleResizesAndOneInsideDoesNot) {
    // The handle is drawn in the component's identifier colour just outside its rectangle.
    component->position = Point3d(0, 0, 0);
    glPushMatrix();
    glTranslated(128, 128, 0);
    static_cast<VisComponent*>(component)->renderForPicking();  // the whole rectangle, then the handle
    glPopMatrix();
    unsigned char rgb[3] = {0, 0, 0}, id[3];
    glReadPixels(128 + 51, 128 - 29, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    component->getIdColor(id);
    EXPECT_EQ(std::vector<unsigned char>(rgb, rgb + 3), std::vector<unsigned char>(id, id + 3));

    component->position = Point3d(128, 128, 0);
    send("PRESS", 140, 120);  // inside
    send("DRAG", 160, 100);
    send("RELEASE", 160, 100);
    EXPECT_EQ(component->width, 50u);
    send("PRESS", 180, 97);  // on the handle
    send("DRAG", 190, 92);
    EXPECT_EQ(component->width, 70u) << "the displacement counts times the scale";
    EXPECT_EQ(component->height, 40u);
}
