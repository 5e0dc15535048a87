#include "player/TouchIndicators.h"

#include <algorithm>
#include <cmath>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "manipulation/TouchIndicatorStrategy.h"
#include "player/FilledRectangleStrategy.h"

namespace {

constexpr double kColours[][4] = {
    {1.0, 0.55, 0.1, 0.9}, {0.2, 0.8, 1.0, 0.9},  {0.55, 0.9, 0.3, 0.9}, {1.0, 0.35, 0.6, 0.9},
    {0.7, 0.5, 1.0, 0.9},  {1.0, 0.9, 0.25, 0.9}, {0.3, 1.0, 0.8, 0.9},  {0.95, 0.95, 0.95, 0.9},
};
constexpr std::size_t kColourCount = sizeof kColours / sizeof kColours[0];
constexpr double kFrame[4] = {1.0, 1.0, 1.0, 0.9};
// The largest user number that gets an indicator: TUIO 2.0 users are 16-bit numbers.
constexpr unsigned kLastUser = 65535;

constexpr unsigned kFadeFrames = 30;
const Point3d kOffDisplay(-100.0, -100.0, 0.0);

// Fades the indicator out after the release of a contact without a user.
class FadeAfterAnonymousRelease : public VisComponentStrategy {
protected:
    void initProperties() override {
        ConstantProvider* names = ConstantProvider::getInstance();
        pressType = names->getEventTypeIdentifier("PRESS");
        releaseType = names->getEventTypeIdentifier("RELEASE");
        alpha = component->color[3];
    }
    void onEvent(DravikEvent* event) override {
        if (event->type == pressType) {
            framesLeft = 0;
            component->color[3] = alpha;
        } else if (event->type == releaseType && event->anonymousContact) {
            framesLeft = kFadeFrames;
        }
    }
    void process() override {
        if (framesLeft == 0) return;
        --framesLeft;
        component->color[3] = alpha * framesLeft / kFadeFrames;
        if (framesLeft == 0) component->position = kOffDisplay;
    }

private:
    unsigned pressType = 0, releaseType = 0;
    unsigned framesLeft = 0;
    double alpha = 1.0;
};

void decorateOne(VisComponent& indicator, unsigned user) {
    indicator.width = indicator.height = 18;
    indicator.angle = M_PI / 4;
    indicator.position = kOffDisplay;  // until a touch
    std::copy_n(kColours[(user - 1) % kColourCount], 4, indicator.color);
    indicator.pushStrategy(new TouchIndicatorStrategy);
    indicator.pushStrategy(new FilledRectangleStrategy(kFrame, 3.0, false));
    indicator.pushStrategy(new FadeAfterAnonymousRelease);
}

}  // namespace

namespace touchIndicators {

void decorate(DefaultManager& manager, unsigned users) {
    for (std::size_t i = 0; i < manager.touchIndicators.size(); ++i)
        if (manager.touchIndicators[i] != nullptr) decorateOne(*manager.touchIndicators[i], static_cast<unsigned>(i + 1));
    for (unsigned user = 1; user <= users; ++user) ensure(manager, user);
}

void ensure(DefaultManager& manager, unsigned user) {
    if (user == 0 || user > kLastUser) return;
    std::vector<VisComponent*>& list = manager.touchIndicators;
    if (list.size() < user) list.resize(user, nullptr);
    if (list[user - 1] != nullptr) return;
    auto* indicator = new VisComponentGL;
    decorateOne(*indicator, user);
    list[user - 1] = indicator;  // the manager owns it
}

}  // namespace touchIndicators
