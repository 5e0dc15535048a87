#include "lifecycle/BetterAnimationStrategy.h"

#include <stdexcept>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/FrameTimer.h"
#include "framework/VisComponent.h"

namespace {

double checkedDuration(double seconds) {
    if (!(seconds > 0.0))
        throw std::invalid_argument(
            "ERROR in BetterAnimationStrategy::setAnimationDuration() - Animation duration must be greater then 0.0");
    return seconds;
}

}  // namespace

BetterAnimationStrategy::BetterAnimationStrategy(double animationDuration)
    : BetterAnimationStrategy(animationDuration,
                              ConstantProvider::getInstance()->getEventTypeIdentifier("START_ANIMATION")) {}

BetterAnimationStrategy::BetterAnimationStrategy(double animationDuration, unsigned startEventType)
    : animationDuration(checkedDuration(animationDuration)),
      inverseDuration(1.0 / this->animationDuration),
      startEventType(startEventType) {}

BetterAnimationStrategy::~BetterAnimationStrategy() = default;

void BetterAnimationStrategy::setAnimationDuration(double seconds) {
    animationDuration = checkedDuration(seconds);
    inverseDuration = 1.0 / animationDuration;
}

void BetterAnimationStrategy::initProperties() {
    frameTimer = component->manager != nullptr ? component->manager->frameTimer : nullptr;
}

void BetterAnimationStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || event->type != startEventType || frameTimer == nullptr) return;
    startTime = frameTimer->getCurrentTime();
    endTime = animationDuration + startTime;
    onAnimationStart(event);
    animating = true;
}

void BetterAnimationStrategy::process() {
    if (!animating || component->animationsSuspended) return;
    const double now = frameTimer->getCurrentTime();
    if (endTime >= now) {
        animationParameter = (now - startTime) * inverseDuration;
        performAnimation();
    } else {
        animating = false;
        animationParameter = 0.0;
        onAnimationEnd();
    }
}
