#include "manipulation/LazyTranslationAndRNTStrategy.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/FrameTimer.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {
constexpr double kFullTurn = 6.283185307179586;
}

LazyTranslationAndRNTStrategy::LazyTranslationAndRNTStrategy(const LazyTranslationAndRNTStrategy& other)
    : LazyRNTStrategy(other) {
    copySettings(other);
}

LazyTranslationAndRNTStrategy& LazyTranslationAndRNTStrategy::operator=(const LazyTranslationAndRNTStrategy& other) {
    if (this != &other) {
        LazyRNTStrategy::operator=(other);
        copySettings(other);
        listWidth = listHeight = 0;  // recorded again for this strategy's component
    }
    return *this;
}

LazyTranslationAndRNTStrategy::~LazyTranslationAndRNTStrategy() = default;

void LazyTranslationAndRNTStrategy::copySettings(const LazyTranslationAndRNTStrategy& other) {
    translationMode = other.translationMode;
    translationRadiusFactor = other.translationRadiusFactor;
    decorationWidth = other.decorationWidth;
    drawDecoration = other.drawDecoration;
    numberSegments = other.numberSegments;
    frameTimer = other.frameTimer;
    fading = other.fading;
    fadeStart = other.fadeStart;
    fadeEnd = other.fadeEnd;
    timeoutDuration = other.timeoutDuration;
    fadeoutDuration = other.fadeoutDuration;
}

void LazyTranslationAndRNTStrategy::setColor(const double* rgba) {
    if (rgba != nullptr) std::copy_n(rgba, 4, color);
}

void LazyTranslationAndRNTStrategy::initProperties() {
    RNTStrategy::initProperties();
    frameTimer = component->manager != nullptr ? component->manager->frameTimer : nullptr;
}

bool LazyTranslationAndRNTStrategy::isInsideTranslationArea(double x, double y) const {
    const double shorter = component->width >= component->height ? component->height * component->scale.y
                                                                  : component->width * component->scale.x;
    const double radius = translationRadiusFactor * shorter;
    const double dx = x - component->position.x, dy = y - component->position.y;
    return radius > std::sqrt(dx * dx + dy * dy);
}

void LazyTranslationAndRNTStrategy::onEvent(DravikEvent* event) {
    const bool wasActive = rntActive;
    RNTStrategy::onEvent(event);
    if (event == nullptr) return;
    if (event->type == pressEventType && !wasActive && rntActive) {
        fading = false;
        translationMode = isInsideTranslationArea(event->x, event->y);
    } else if (event->type == releaseEventType && wasActive && !rntActive) {
        fading = frameTimer != nullptr;
        if (!fading) return;
        fadeStart = frameTimer->getCurrentTime() + timeoutDuration;
        fadeEnd = fadeStart + fadeoutDuration;
    }
}

bool LazyTranslationAndRNTStrategy::applyRNT(double x, double y) {
    if (!translationMode) {
        RNTStrategy::applyRNT(x, y);
        return false;
    }
    component->moveBranchBy(truncateToInt(x) - lastX, truncateToInt(y) - lastY, 0.0);
    return false;
}

void LazyTranslationAndRNTStrategy::createDisplayList() {
    listWidth = component->width;
    listHeight = component->height;
    const double radius = translationRadiusFactor * std::min(listWidth, listHeight);
    const double step = kFullTurn / numberSegments;
    displayList.compile([&] {
        glEnable(GL_LINE_SMOOTH);
        glBegin(GL_LINE_LOOP);
        double a = 0.0;
        for (unsigned i = 0; i < numberSegments; ++i, a += step) glVertex3d(std::cos(a) * radius, std::sin(a) * radius, 0.0);
        glEnd();
        glDisable(GL_LINE_SMOOTH);
    });
}

bool LazyTranslationAndRNTStrategy::fadeFactor(double& factor) {
    factor = 1.0;
    if (!fading) return true;
    const double now = frameTimer->getCurrentTime();
    if (now > fadeEnd) {
        fading = false;
        return false;
    }
    if (fadeStart < now && now < fadeEnd) factor = 1.0 - (now - fadeStart) / fadeoutDuration;
    return true;
}

void LazyTranslationAndRNTStrategy::draw(const std::vector<unsigned long>&) {
    if (!drawDecoration || (!grabbed && !fading)) return;
    if (displayList.name() == 0 || component->width != listWidth || component->height != listHeight) createDisplayList();
    double rgba[4];
    std::copy_n(color, 4, rgba);
    rgba[3] *= component->color[3];
    double factor = 1.0;
    if (!fadeFactor(factor)) return;
    rgba[3] *= factor;

    const double sx = component->scale.x, sy = component->scale.y;
    if (sx == 0.0 || sy == 0.0 || !isFiniteValue(sx) || !isFiniteValue(sy)) return;  // nothing to see
    const double s = std::max(sx, sy);
    glPushMatrix();
    glScaled(s / sx, s / sy, 1.0);
    glColor4dv(rgba);  // colour and line width stay set
    glLineWidth(static_cast<GLfloat>(decorationWidth));
    displayList.call();
    glPopMatrix();
}
