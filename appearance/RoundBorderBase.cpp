#include "appearance/RoundBorderBase.h"

#include <GL/gl.h>

#include <cmath>

#include "appearance/detail/Outline.h"
#include "framework/VisComponent.h"

namespace {

// A scale that is not a number differs from everything, so that it never passes for the one
// a list was built at.
bool scaleDiffers(double scale, double listScale) { return !(scale == listScale); }

}  // namespace

RoundBorderBase::RoundBorderBase(const RoundBorderBase& other)
    : BorderStrategy(other), numberSegments(other.numberSegments) {}

RoundBorderBase& RoundBorderBase::operator=(const RoundBorderBase& other) {
    numberSegments = other.numberSegments;
    BorderStrategy::operator=(other);
    return *this;
}

double RoundBorderBase::radius() const {
    const double hw = detail::half(component->width), hh = detail::half(component->height);
    const double r = hh > hw ? component->scale.x * hw : component->scale.y * hh;
    return std::isfinite(r) ? r : 0.0;  // no geometry from a scale that is no number
}

bool RoundBorderBase::takeCircle(double& r) {
    if (!takeListSize()) return false;
    listScaleX = component->scale.x;
    listScaleY = component->scale.y;
    r = radius();
    pickingList.compile([&] {
        if (numberSegments < 3) return;  // fewer corners enclose nothing
        const double step = 2.0 * M_PI / numberSegments;
        glBegin(GL_POLYGON);
        for (std::uint32_t i = 0; i < numberSegments; ++i) glVertex3d(r * std::cos(i * step), r * std::sin(i * step), 0.0);
        glEnd();
    });
    return true;
}

bool RoundBorderBase::displayListsOutdated() const {
    return BorderStrategy::displayListsOutdated() || scaleDiffers(component->scale.x, listScaleX) ||
           scaleDiffers(component->scale.y, listScaleY);
}

void RoundBorderBase::drawForPicking() {
    if (!prepareOutlines()) return;
    detail::callInIdColor(*component, pickingList);
}

void RoundBorderBase::extendPickingBounds(LocalBounds& bounds) const {
    if (component != nullptr) detail::extendToCircle(bounds, radius());
}
