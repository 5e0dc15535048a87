// Picking draws only the components whose bounds hold the pixel; it must answer exactly as
// drawing every component into the pixel does.
#include <GL/gl.h>

#include <cmath>
#include <random>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "framework/SafeNumbers.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

constexpr int kSize = GLContextEnvironment::kSize;

void useIdColour(const VisComponent* c) {
    unsigned char rgb[3];
    c->getIdColor(rgb);
    glColor3ub(rgb[0], rgb[1], rgb[2]);
}

// Picks where a scene's strategies draw: the rectangle over [-w/2, w/2] (half a unit beyond
// the grid rectangle when a side is odd), a disc that may reach past the rectangle, or a
// two-pixel outline, which rasterises outside the geometry.
class PickingShapeStrategy : public VisComponentStrategy {
public:
    enum Shape { Rectangle, Disc, Outline };
    PickingShapeStrategy(Shape shape, double radius) : shape(shape), radius(radius) {}

protected:
    void drawForPicking() override {
        useIdColour(component);
        const double w = component->width / 2.0, h = component->height / 2.0;
        if (shape == Rectangle) {
            glRectd(-w, -h, w, h);
        } else if (shape == Outline) {
            glLineWidth(2.0f);
            glBegin(GL_LINE_LOOP);
            glVertex2d(-w, -h), glVertex2d(w, -h), glVertex2d(w, h), glVertex2d(-w, h);
            glEnd();
            glLineWidth(1.0f);
        } else {
            glBegin(GL_TRIANGLE_FAN);
            for (int i = 0; i < 32; ++i) glVertex2d(radius * std::cos(i * M_PI / 16), radius * std::sin(i * M_PI / 16));
            glEnd();
        }
    }
    void extendPickingBounds(LocalBounds& b) const override {
        if (shape != Disc) return;
        b.left = std::min(b.left, -radius);
        b.bottom = std::min(b.bottom, -radius);
        b.right = std::max(b.right, radius);
        b.top = std::max(b.top, radius);
    }

private:
    Shape shape;
    double radius;
};

class Manager : public DefaultManager {
public:
    using DefaultManager::pickComponent;
    using DefaultManager::pickContainer;

    // Every component drawn into the pixel, as a pick did before culling.
    unsigned long fullPick(unsigned x, unsigned y, unsigned long excluded, bool containersOnly) {
        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        renderOtherContainers(excluded, true, !containersOnly, containersOnly);
        unsigned char rgb[3] = {0, 0, 0};
        glReadPixels(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        glPopAttrib();
        return VisComponent::convertColorToId(rgb);
    }
};

// A random scene: a root over the window and components of every size, angle and scale,
// some nested in others, some of them containers.
void buildScene(Manager& manager, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    manager.setRootComponent(makeComponent<VisComponentGL>(0, 0, kSize, kSize, {new PickingShapeStrategy(PickingShapeStrategy::Rectangle, 0)}));
    manager.resize(kSize, kSize);
    std::vector<VisComponent*> all;
    for (int i = 0; i < 150; ++i) {
        auto* c = new VisComponentGL;
        c->position = Point3d(unit(random) * (kSize + 40) - 20, unit(random) * (kSize + 40) - 20, 0);
        c->width = 1 + static_cast<unsigned>(unit(random) * 40);
        c->height = 1 + static_cast<unsigned>(unit(random) * 40);
        c->angle = unit(random) * 2 * M_PI;
        const double s = unit(random) < 0.2 ? 0.05 + unit(random) * 0.3 : 0.5 + unit(random) * 2.0;
        c->scale = Point3d(unit(random) < 0.1 ? -s : s, s * (0.5 + unit(random)), 1);
        const auto shape = static_cast<PickingShapeStrategy::Shape>(i % 3);
        c->pushStrategy(new PickingShapeStrategy(shape, 2 + unit(random) * 30));
        if (unit(random) < 0.3) c->pushStrategy(new HolderStrategy);
        if (!all.empty() && unit(random) < 0.25) {
            all[static_cast<std::size_t>(unit(random) * all.size())]->addChild(c);
        } else {
            manager.addComponent(c);
        }
        all.push_back(c);
    }
}

}  // namespace

class CulledPicking : public GLTest {};

// A fresh random scene, then the same after every 10 frames of components moved by their
// strategies and by drags, dropped into containers, added and removed (the last drag,
// addition and removal after the last frame): 1,000 pixels pick components, and containers
// for a dropped component, as the full colour pick does.
TEST_F(CulledPicking, FollowsComponentsThatMoveChangeParentsComeAndGo) {
    std::mt19937 random(99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<unsigned> pixel(0, kSize - 1);
    Manager manager;
    buildScene(manager, random);
    auto everyComponent = [&] {
        std::vector<VisComponent*> all(manager.components.begin(), manager.components.end());
        for (std::size_t i = 0; i < all.size(); ++i) all.insert(all.end(), all[i]->getChildren().begin(), all[i]->getChildren().end());
        return all;
    };
    for (VisComponent* c : everyComponent()) {
        if (unit(random) >= 0.5) {
            c->pushStrategy(new FollowStrategy);
            continue;
        }
        // Every frame moves, turns and now and then resizes the component (with its subtree), as
        // animations and tosses do, bouncing off the edges of the window.
        double dy = unit(random) * 6 - 3, dx = unit(random) * 6 - 3;
        c->pushStrategy(new ProcessStrategy([c, dx, dy, frames = 0]() mutable {
            if (c->position.x + dx < -20 || c->position.x + dx > kSize + 20) dx = -dx;
            if (c->position.y + dy < -20 || c->position.y + dy > kSize + 20) dy = -dy;
            c->moveBranchBy(dx, dy, 0);
            c->rotateBranch(dx / 50);
            if (++frames % 7 == 0) c->width = 1 + (c->width + 9) % 40;
        }));
    }
    int dropsIntoContainers = 0, picked = 0, containers = 0;
    std::vector<unsigned long> dragged;
    for (int round = 0;; ++round) {
        std::vector<VisComponent*> all = everyComponent();
        for (int i = 0; i < 1000; ++i) {
            unsigned x = pixel(random), y = pixel(random);
            if (const VisComponent* c = i == 0 && !dragged.empty() ? manager.getComponentById(dragged[0]) : nullptr)
                x = truncateToUnsigned(c->position.x), y = truncateToUnsigned(c->position.y);  // where the last drag ended
            const bool containersOnly = i % 4 == 1;
            const unsigned long full = manager.fullPick(x, y, VisComponent::NoComponentId, containersOnly);
            ASSERT_EQ(manager.pickComponent(x, y, containersOnly), full) << "round " << round << " at " << x << ", " << y;
            picked += full != manager.rootComponent->id && full != VisComponent::NoComponentId;

            const unsigned long dropped = all[static_cast<std::size_t>(i) % all.size()]->id;
            const unsigned long container = manager.fullPick(x, y, dropped, true);
            ASSERT_EQ(manager.pickContainer(x, y, dropped, true), container) << "round " << round << " at " << x << ", " << y;
            containers += container != VisComponent::NoComponentId;
        }
        if (round == 5) break;
        for (int frame = 0; frame < 10; ++frame) {
            manager.processComponents();
            manager.readPassiveBuffers();
            all = everyComponent();
            const VisComponent* held = all[static_cast<std::size_t>(unit(random) * all.size())];
            const double x = held->position.x, y = held->position.y;
            const double toX = unit(random) * kSize, toY = unit(random) * kSize;
            DravikEvent press(eventType("PRESS"), 1, x, y), drag(eventType("DRAG"), 1, toX, toY),
                release(eventType("RELEASE"), 1, toX, toY);
            manager.processEvent(&press, nullptr);
            dragged = manager.getSelectedComponentIds();
            manager.processEvent(&drag, nullptr);
            manager.processEvent(&release, nullptr);
            for (unsigned long id : dragged) dropsIntoContainers += manager.getComponentById(id)->getParent() != nullptr;
        }
        all = everyComponent();
        delete all[static_cast<std::size_t>(unit(random) * all.size())];
        auto* added = new VisComponentGL;
        added->position = Point3d(unit(random) * kSize, unit(random) * kSize, 0);
        added->width = added->height = 30;
        added->pushStrategy(new PickingShapeStrategy(PickingShapeStrategy::Disc, 20));
        added->pushStrategy(new HolderStrategy);
        if (round % 2 == 0) manager.addComponent(added);
        else everyComponent()[0]->addChild(added);
    }
    EXPECT_GT(dropsIntoContainers, 5);
    EXPECT_GT(picked, 3000);  // the pixels mostly hit components, not the table
    EXPECT_GT(containers, 1500);
}

TEST_F(CulledPicking, AHostThatNeverResizesPicksInItsViewport) {
    Manager manager;
    auto* c = placeComponent<VisComponentGL>(manager, 200, 30, 20, 20, {new PickableStrategy});
    EXPECT_EQ(manager.pickComponent(205, 25, false), c->id);
    EXPECT_EQ(manager.pickComponent(kSize, 25, false), VisComponent::NoComponentId);  // beyond the viewport

    route(manager, "PRESS", 1, 195, 35);
    EXPECT_EQ(manager.getSelectedComponentIds(), std::vector<unsigned long>{c->id});
}
