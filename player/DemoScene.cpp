#include "player/DemoScene.h"

#include <algorithm>
#include <string>

#include "app/VisComponentGL.h"
#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/MultiTouchTransformStrategy.h"
#include "manipulation/TossableStrategy.h"
#include "player/FilledRectangleStrategy.h"

namespace {

struct Colour {
    double r, g, b;
};

constexpr double kTableFrame[4] = {0.05, 0.16, 0.14, 1.0};
constexpr double kCardFrame[4] = {1.0, 1.0, 1.0, 0.45};

VisComponentGL* makeCard(double x, double y, unsigned w, unsigned h, Colour c, const char* label) {
    auto* card = new VisComponentGL;
    card->position = Point3d(x, y, 0.0);
    card->width = w;
    card->height = h;
    card->leaf = true;  // holds no other cards: a drop lands on the table
    card->color[0] = c.r;
    card->color[1] = c.g;
    card->color[2] = c.b;
    card->pushStrategy(new FilledRectangleStrategy(kCardFrame, 4.0, true, label));
    return card;
}

}  // namespace

std::unique_ptr<DefaultManager> buildDemoScene(FrameTimer* timer, unsigned width, unsigned height) {
    auto manager = std::make_unique<DefaultManager>(timer);

    auto* table = new VisComponentGL;
    table->width = width;
    table->height = height;
    table->color[0] = 0.11;
    table->color[1] = 0.30;
    table->color[2] = 0.27;
    auto* friction = new FrictionSurfaceStrategy;
    table->pushStrategy(friction);
    // The rim, where tossed cards stop dead, is drawn as the table's frame.
    table->pushStrategy(new FilledRectangleStrategy(kTableFrame, friction->getBorderWidth(), false));
    manager->setRootComponent(table);

    const double w = width, h = height;
    const unsigned cardW = std::max(40u, width * 3 / 20), cardH = std::max(30u, height * 2 / 15);
    const Colour dragColours[] = {{0.93, 0.42, 0.35}, {0.96, 0.74, 0.29}, {0.36, 0.62, 0.88}};
    const double dragY[] = {0.75, 0.5, 0.25};
    for (int i = 0; i < 3; ++i) {
        VisComponentGL* card = makeCard(0.18 * w, dragY[i] * h, cardW, cardH, dragColours[i], "drag");
        card->pushStrategy(new LazyTranslationStrategy);
        manager->addComponent(card);
    }
    const Colour turnColours[] = {{0.62, 0.48, 0.84}, {0.42, 0.78, 0.62}};
    const double turnY[] = {0.68, 0.3};
    for (int i = 0; i < 2; ++i) {
        VisComponentGL* card = makeCard(0.5 * w, turnY[i] * h, cardW * 4 / 3, cardH * 6 / 5, turnColours[i], "turn, pinch");
        card->pushStrategy(new LazyRNTStrategy);
        card->pushStrategy(new MultiTouchTransformStrategy);  // two fingers scale it up to 4x
        manager->addComponent(card);
    }
    const Colour tossColours[] = {{0.93, 0.93, 0.88}, {0.90, 0.36, 0.56}};
    const double tossY[] = {0.7, 0.35};
    for (int i = 0; i < 2; ++i) {
        VisComponentGL* card = makeCard(0.8 * w, tossY[i] * h, cardH, cardH, tossColours[i], "toss");
        card->pushStrategy(new LazyTranslationStrategy);  // tossing moves it only after the release
        card->pushStrategy(new TossableStrategy);
        manager->addComponent(card);
    }
    return manager;
}
