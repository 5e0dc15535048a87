#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

constexpr int kSize = GLContextEnvironment::kSize;

class PickingManager : public DefaultManager {
public:
    using DefaultManager::pickComponent;
    using DefaultManager::pickContainer;
};

// A component picked over its whole rectangle, with a grid of the given type if any.
VisComponentGL* makeGL(double x, double y, unsigned w, unsigned h, const char* grid = nullptr) {
    VisComponentGL* c = makeComponent<VisComponentGL>(x, y, w, h, {new PickableStrategy});
    if (grid != nullptr) c->pushStrategy(new GridStrategy(grid, 0.0));
    return c;
}

std::vector<unsigned char> readScreen() {
    std::vector<unsigned char> pixels(std::size_t(kSize) * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The overlay drawn by the manager must be pixel for pixel the expected lines drawn here.
void expectOverlay(DefaultManager& manager, const std::vector<std::string>& lines) {
    glClear(GL_COLOR_BUFFER_BIT);
    manager.renderInfo(kSize, kSize);
    const std::vector<unsigned char> drawn = readScreen();

    glClear(GL_COLOR_BUFFER_BIT);
    glColor3d(1, 1, 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        glRasterPos3d(10.0, kSize - 20.0 - 15.0 * static_cast<double>(i), 0.0);
        glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(lines[i].c_str()));
    }
    const std::vector<unsigned char> expected = readScreen();
    std::size_t lit = 0;
    for (unsigned char v : expected) lit += v != 0;
    EXPECT_GT(lit, 100u);
    EXPECT_TRUE(drawn == expected) << "overlay differs from: " << lines[0] << " / " << lines[1] << " / " << lines[2];
}

}  // namespace

class DefaultManagerGL : public GLTest {};

TEST_F(DefaultManagerGL, PicksTheFrontComponentByItsColourAndLeavesTheDrawingState) {
    PickingManager manager;
    manager.resize(kSize, kSize);
    manager.setRootComponent(makeGL(0, 0, kSize, kSize));
    manager.resize(kSize, kSize);  // centres the root over the window
    VisComponentGL* back = makeGL(100, 100, 80, 80);
    VisComponentGL* front = makeGL(130, 130, 80, 80);
    VisComponentGL* turned = makeGL(200, 60, 100, 10);
    turned->angle = M_PI / 2;
    turned->scale = Point3d(0.5, 1, 1);  // 50 pixels long, upright: y from 35 to 85
    for (VisComponentGL* c : {back, front, turned}) manager.addComponent(c);
    const unsigned long root = manager.rootComponent->id, none = VisComponent::NoComponentId;
    glEnable(GL_BLEND);  // drawing state that picking must leave as it was
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glColor3d(0.5, 0.5, 0.5);

    std::vector<unsigned long> picked;  // the last point lies beyond the display
    for (auto [x, y] : {std::pair{130, 130}, {70, 70}, {200, 80}, {200, 36}, {200, 95}, {240, 60}, {kSize, 10}})
        picked.push_back(manager.pickComponent(unsigned(x), unsigned(y), false));
    EXPECT_EQ(picked, (std::vector<unsigned long>{front->id, back->id, turned->id, turned->id, root, root, none}));
    EXPECT_EQ(manager.pickContainer(130, 130, front->id, true), none);  // back holds nothing
    back->pushStrategy(new HolderStrategy);
    EXPECT_EQ(manager.pickContainer(130, 130, front->id, true), back->id);
    back->leaf = true;
    EXPECT_EQ(manager.pickComponent(70, 70, true), none);  // neither leaves nor the root
    EXPECT_EQ(manager.pickContainer(130, 130, front->id, true), none);

    manager.setRootComponent(nullptr);
    EXPECT_EQ(manager.pickComponent(240, 240, false), none);

    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    GLfloat clear[4], colour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::make_pair(clear[2], colour[0]), std::make_pair(0.75f, 0.5f));
}


TEST_F(DefaultManagerGL, OverlayShowsRateMemoryAndCount) {
    DefaultManager manager;
    expectOverlay(manager, {"fps: N/A", "mem: 0MB", "#components: 0"});

    auto* grid = makeGL(100, 100, 384, 512, "OVERLAY_TEST_GRID");  // 384 x 512 doubles: 1536 kilobytes
    manager.addComponent(grid);
    manager.addComponent(makeGL(10, 10, 5, 5));
    manager.frameRate = 1000.0 / 3.0;
    expectOverlay(manager, {"fps: 333.333", "mem: 1.5MB", "#components: 2"});

    delete grid;  // grids keep their storage when they shrink: a new one of 1000 kilobytes
    manager.addComponent(makeGL(100, 100, 320, 400, "OVERLAY_TEST_GRID"));
    manager.frameRate = -1.0;
    expectOverlay(manager, {"fps: N/A", "mem: 0.98MB", "#components: 2"});
}
