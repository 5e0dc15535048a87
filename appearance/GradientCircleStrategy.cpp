#include "appearance/GradientCircleStrategy.h"

#include <GL/gl.h>

#include <cmath>

#include "app/DisplayList.h"
#include "appearance/detail/Outline.h"

namespace {

constexpr unsigned char kRimAlpha = 32;
constexpr double kStep = 0.7853981633974483;  // an eighth of a turn

// A fan from the centre through nine rim points (sin a, cos a), a = 0 to a full turn: the
// first at (0, 1), clockwise, the last closing on the first. With `rgba`, the centre in that
// colour and the rim in it with alpha kRimAlpha.
void emitOctagon(const unsigned char* rgba) {
    glBegin(GL_TRIANGLE_FAN);
    if (rgba != nullptr) glColor4ub(rgba[0], rgba[1], rgba[2], rgba[3]);
    glVertex2d(0.0, 0.0);
    if (rgba != nullptr) glColor4ub(rgba[0], rgba[1], rgba[2], kRimAlpha);
    for (int i = 0; i <= 8; ++i) glVertex2d(std::sin(i * kStep), std::cos(i * kStep));
    glEnd();
}

}  // namespace

GradientCircleStrategy::GradientCircleStrategy(unsigned char red, unsigned char green, unsigned char blue,
                                               unsigned char alpha)
    : color{red, green, blue, alpha} {}

GradientCircleStrategy::GradientCircleStrategy(const GradientCircleStrategy& other)
    : VisComponentStrategy(other), color{other.color[0], other.color[1], other.color[2], other.color[3]} {}

GradientCircleStrategy& GradientCircleStrategy::operator=(const GradientCircleStrategy& other) {
    if (this == &other) return *this;
    VisComponentStrategy::operator=(other);
    setColor(other.color[0], other.color[1], other.color[2], other.color[3]);
    if (displayList.name() != 0) createDisplayList();  // the spot takes the new colour
    return *this;
}

void GradientCircleStrategy::setColor(unsigned char red, unsigned char green, unsigned char blue,
                                      unsigned char alpha) {
    color[0] = red;
    color[1] = green;
    color[2] = blue;
    color[3] = alpha;
}

void GradientCircleStrategy::createDisplayList() {
    displayList.compile([&] { emitOctagon(color); });
}

void GradientCircleStrategy::draw(const std::vector<unsigned long>&) {
    if (displayList.name() == 0) createDisplayList();
    displayList.call();
}

void GradientCircleStrategy::drawForPicking() {
    if (component == nullptr) return;
    if (pickingList.name() == 0) pickingList.compile([] { emitOctagon(nullptr); });
    detail::callInIdColor(*component, pickingList);
}

void GradientCircleStrategy::extendPickingBounds(LocalBounds& bounds) const { detail::extendToCircle(bounds, 1.0); }
