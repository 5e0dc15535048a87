#include "appearance/FramebufferCapture.h"

#include "appearance/FramebufferObjectEndStrategy.h"
#include "framework/VisComponent.h"

namespace {

bool liesIn(const VisComponent& component, const VisComponent* top) {
    for (const VisComponent* c = &component; c != nullptr; c = c->getParent())
        if (c == top) return true;
    return false;
}

}  // namespace

std::vector<FramebufferCapture::Open>& FramebufferCapture::open() {
    static std::vector<Open> captures;
    return captures;
}

const FramebufferCapture::Open* FramebufferCapture::innermostOf(const FramebufferObjectEndStrategy* end) {
    return !open().empty() && open().back().end == end ? &open().back() : nullptr;
}

void FramebufferCapture::endInnermost() {
    const Open capture = open().back();
    open().pop_back();
    capture.end->finishCapture(capture);
}

void FramebufferCapture::endCapturesLeftBy(const VisComponent& component) {
    while (!open().empty() && !liesIn(component, open().back().owner)) endInnermost();
}
