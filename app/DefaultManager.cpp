#include "app/DefaultManager.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cmath>
#include <iostream>
#include <sstream>

#include "app/VisComponentGL.h"
#include "framework/RandomNumber.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {
constexpr std::size_t kLongestText = 255;
constexpr unsigned kTouchIndicators = 2;
}  // namespace

DefaultManager::DefaultManager(FrameTimer* timer) : DravikManager(timer, kTouchIndicators) { initialize(); }

DefaultManager::~DefaultManager() = default;

void DefaultManager::resize(unsigned width, unsigned height) {
    DravikManager::resize(width, height);
    if (rootComponent != nullptr) rootComponent->position = Point3d(width / 2, height / 2, 0.0);
}

void DefaultManager::renderInfo(unsigned width, unsigned height) {
    (void)width;
    glColor3d(1.0, 1.0, 1.0);
    const double top = static_cast<double>(height);

    std::ostringstream fps;
    fps << "fps: ";
    if (frameRate > 0.0) fps << frameRate;
    else fps << "N/A";
    renderText(10.0, top - 20.0, 0.0, fps.str());

    // Megabytes rounded to two decimals, halves up.
    const double megabytes = std::trunc(getBuffersMemorySizeKBytes() * 0.0009765625 * 100.0 + 0.5) / 100.0;
    std::ostringstream mem;
    mem << "mem: " << megabytes << "MB";
    renderText(10.0, top - 35.0, 0.0, mem.str());

    renderText(10.0, top - 50.0, 0.0, "#components: " + std::to_string(getNumberComponents()));
}

void DefaultManager::renderText(double x, double y, double z, const std::string& text) {
    glRasterPos3d(x, y, z);
    const std::size_t count = std::min(text.size(), kLongestText);
    for (std::size_t i = 0; i < count; ++i)
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, static_cast<unsigned char>(text[i]));
}

void DefaultManager::print() const {
    for (const VisComponent* c : components) {
        c->print();
        c->printChildren();
    }
}

double DefaultManager::obtainRandomDouble(double upper, double lower) {
    return randomInt32767() / 32767.0 * (upper - lower) + lower;
}

float DefaultManager::obtainRandomFloat(double upper, double lower) {
    return narrowToFloat(obtainRandomDouble(upper, lower));
}

void DefaultManager::initTouchIndicators() {
    std::vector<VisComponent*> previous;
    previous.swap(touchIndicators);
    for (VisComponent* c : previous) delete c;
    for (unsigned i = 0; i < touchIndicatorCount; ++i) touchIndicators.push_back(new VisComponentGL);
    touchTargets.assign(touchIndicatorCount, nullptr);
}

void DefaultManager::initComponents() {}

bool DefaultManager::isOnDisplay(unsigned x, unsigned y) const {
    if (displayWidth != 0 || displayHeight != 0) return x < displayWidth && y < displayHeight;
    // A host that never gave a size picks on the viewport it draws into.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const long long px = x, py = y;
    return px >= viewport[0] && px < static_cast<long long>(viewport[0]) + viewport[2] && py >= viewport[1] &&
           py < static_cast<long long>(viewport[1]) + viewport[3];
}

void DefaultManager::beginPicking(unsigned x, unsigned y) {
    // Identifier colours must arrive unchanged: no blending, dithering, lighting, texturing
    // or smoothing while they are drawn. All of it is restored by finishPicking.
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT);
    for (GLenum capability : {GL_TEXTURE_2D, GL_BLEND, GL_DITHER, GL_LIGHTING, GL_FOG, GL_POINT_SMOOTH,
                              GL_LINE_SMOOTH, GL_POLYGON_SMOOTH, GL_DEPTH_TEST})
        glDisable(capability);
    if (pickInCorner) {
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        glViewport(-static_cast<GLint>(x), -static_cast<GLint>(y), viewport[2], viewport[3]);
        x = y = 0;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1);  // on the display: fits
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

unsigned long DefaultManager::finishPicking(unsigned x, unsigned y) {
    glFinish();
    unsigned char rgb[3] = {0, 0, 0};
    if (pickInCorner) x = y = 0;
    glReadPixels(static_cast<GLint>(x), static_cast<GLint>(y), 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glPopAttrib();
    return VisComponent::convertColorToId(rgb);
}

unsigned long DefaultManager::pickComponent(unsigned x, unsigned y, bool containersOnly) {
    if (!isOnDisplay(x, y)) return VisComponent::NoComponentId;
    beginPicking(x, y);
    renderForPickingAt(x, y, VisComponent::NoComponentId, !containersOnly, containersOnly);
    return finishPicking(x, y);
}

unsigned long DefaultManager::pickContainer(unsigned x, unsigned y, unsigned long container, bool containersOnly) {
    if (!isOnDisplay(x, y)) return VisComponent::NoComponentId;
    beginPicking(x, y);
    renderForPickingAt(x, y, container, !containersOnly, containersOnly);
    return finishPicking(x, y);
}

unsigned long DefaultManager::findComponentAt(double x, double y) {
    return pickComponent(truncateToUnsigned(x), truncateToUnsigned(y), false);
}

unsigned long DefaultManager::findContainerAt(double x, double y, const VisComponent* dropped) {
    const unsigned long excluded = dropped != nullptr ? dropped->id : VisComponent::NoComponentId;
    return pickContainer(truncateToUnsigned(x), truncateToUnsigned(y), excluded, true);
}
