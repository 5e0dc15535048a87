#include "lifecycle/AnimationStrategy.h"

#include <limits>

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/VisComponent.h"

AnimationStrategy::AnimationStrategy()
    : startEventType(ConstantProvider::getInstance()->getEventTypeIdentifier("START_ANIMATION")) {}

AnimationStrategy::AnimationStrategy(unsigned startEventType) : startEventType(startEventType) {}

AnimationStrategy::~AnimationStrategy() = default;

void AnimationStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || event->type != startEventType) return;
    if (animationDuration >= 0.0) {
        const double frameRate = component->manager != nullptr ? component->manager->frameRate : 0.0;
        const double frames = frameRate * animationDuration;
        animationStep = frames != 0.0 ? 1.0 / frames : std::numeric_limits<double>::infinity();
    }
    onAnimationStart(event);
    animating = true;
    animationParameter = 0.0;
}

void AnimationStrategy::process() {
    if (!animating || component->animationsSuspended) return;
    if (animationParameter >= 0.0 && animationParameter <= 1.0) {
        performAnimation();
        animationParameter += animationStep;
    } else {
        animating = false;
        onAnimationEnd();
    }
}
