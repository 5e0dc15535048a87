#include "appearance/FramebufferObjectBeginStrategy.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <stdexcept>

#include "app/OpenGLExtensions.h"
#include "app/VisComponentGL.h"
#include "appearance/FramebufferCapture.h"
#include "appearance/FramebufferObjectEndStrategy.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"

namespace {

constexpr const char* kOnEvent = "FramebufferObjectBeginStrategy::onEvent() - ";
constexpr double kDepth = 1.0e6;  // depth range of the capture: holds every z a scene uses

// True when v is a power of two (or 0): rounding v - 1 up to one gives v again.
bool isPowerOfTwo(std::uint32_t v) {
    std::uint32_t r = v - 1;
    for (unsigned shift : {1u, 2u, 4u, 8u, 16u}) r |= r >> shift;
    return r + 1 == v;
}

void warnNotPowerOfTwo(const char* what, int value) {
    std::cout << "Warning in " << kOnEvent << "Texture " << what << " is not a power of two (" << value << ").\n"
              << "\tIf OpenGL does not support ARB_texture_non_power_of_two then it is likely the framebuffer "
                 "object will not be created."
              << std::endl;
}

const char* statusName(GLenum status) {
    switch (status) {
        case GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT: return "GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT_EXT";
        case GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT: return "GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT_EXT";
        case GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT: return "GL_FRAMEBUFFER_INCOMPLETE_FORMATS_EXT";
        case GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT: return "GL_FRAMEBUFFER_INCOMPLETE_DRAW_BUFFER_EXT";
        case GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT: return "GL_FRAMEBUFFER_INCOMPLETE_READ_BUFFER_EXT";
        case GL_FRAMEBUFFER_UNSUPPORTED_EXT: return "GL_FRAMEBUFFER_UNSUPPORTED_EXT";
        default: return "UNKNOWN";
    }
}

// Inverse of a column-major affine matrix (last row 0 0 0 1); false when it has none.
bool invertAffine(const double m[16], double out[16]) {
    if (m[3] != 0.0 || m[7] != 0.0 || m[11] != 0.0 || m[15] != 1.0) return false;
    const double a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    const double A = e * i - f * h, B = f * g - d * i, C = d * h - e * g;
    const double det = a * A + b * B + c * C;
    if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
    const double inv[9] = {A / det, (c * h - b * i) / det, (b * f - c * e) / det,
                           B / det, (a * i - c * g) / det, (c * d - a * f) / det,
                           C / det, (b * g - a * h) / det, (a * e - b * d) / det};  // row-major
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) out[col * 4 + row] = inv[row * 3 + col];
        out[12 + row] = -(inv[row * 3] * m[12] + inv[row * 3 + 1] * m[13] + inv[row * 3 + 2] * m[14]);
        out[row * 4 + 3] = 0.0;
    }
    out[15] = 1.0;
    return true;
}

// The last component of the subtree in the manager's drawing order (front-most children are
// drawn last), if components report when they are drawn; else the component itself.
const VisComponent* lastDrawnOf(const VisComponent& top) {
    const VisComponent* last = &top;
    while (!last->getChildren().empty()) last = last->getChildren().back();
    return dynamic_cast<const VisComponentGL*>(last) != nullptr ? last : &top;
}

int clampToInt(unsigned value) { return static_cast<int>(std::min<unsigned>(value, INT_MAX)); }

}  // namespace

FramebufferObjectBeginStrategy::FramebufferObjectBeginStrategy()
    : FramebufferObjectBeginStrategy(
          ConstantProvider::getInstance()->getEventTypeIdentifier("ENABLE_FRAMEBUFFER_OBJECT_RENDERING"),
          ConstantProvider::getInstance()->getEventTypeIdentifier("DISABLE_FRAMEBUFFER_OBJECT_RENDERING")) {}

FramebufferObjectBeginStrategy::FramebufferObjectBeginStrategy(std::uint32_t enableEventType,
                                                               std::uint32_t disableEventType)
    : enableEventType(enableEventType), disableEventType(disableEventType) {
    lookUpEntryPoints();
}

FramebufferObjectBeginStrategy::FramebufferObjectBeginStrategy(const FramebufferObjectBeginStrategy& other)
    : FramebufferObjectBeginStrategy(other.enableEventType, other.disableEventType) {}

FramebufferObjectBeginStrategy& FramebufferObjectBeginStrategy::operator=(const FramebufferObjectBeginStrategy& other) {
    if (this == &other) return *this;
    VisComponentStrategy::operator=(other);
    enableEventType = other.enableEventType;
    disableEventType = other.disableEventType;
    return *this;
}

FramebufferObjectBeginStrategy::~FramebufferObjectBeginStrategy() { releaseNames(); }

void FramebufferObjectBeginStrategy::releaseNames() {
    if (framebuffer != 0 && glDeleteFramebuffersEXT != nullptr) glDeleteFramebuffersEXT(1, &framebuffer);
    if (texture != 0) glDeleteTextures(1, &texture);
    framebuffer = texture = 0;
}

void FramebufferObjectBeginStrategy::lookUpEntryPoints() {
    const bool objects = OpenGLExtensions::isSupported("GL_EXT_framebuffer_object");
    const bool blending = OpenGLExtensions::isSupported("GL_EXT_blend_func_separate");
    if (!objects) std::cout << "OpenGL extensionGL_EXT_framebuffer_object was not found!" << std::endl;
    if (!blending) std::cout << "OpenGL glBlendFuncSeparateEXT was not found!" << std::endl;
    // An entry point counts only with its extension: the lookup may answer any name.
    using E = OpenGLExtensions;
    if (objects) {
        glBindFramebufferEXT = E::lookupAs<PFNGLBINDFRAMEBUFFEREXTPROC>("glBindFramebufferEXT");
        glDeleteFramebuffersEXT = E::lookupAs<PFNGLDELETEFRAMEBUFFERSEXTPROC>("glDeleteFramebuffersEXT");
        glGenFramebuffersEXT = E::lookupAs<PFNGLGENFRAMEBUFFERSEXTPROC>("glGenFramebuffersEXT");
        glCheckFramebufferStatusEXT = E::lookupAs<PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC>("glCheckFramebufferStatusEXT");
        glFramebufferTexture2DEXT = E::lookupAs<PFNGLFRAMEBUFFERTEXTURE2DEXTPROC>("glFramebufferTexture2DEXT");
    }
    if (blending) glBlendFuncSeparateEXT = E::lookupAs<PFNGLBLENDFUNCSEPARATEEXTPROC>("glBlendFuncSeparateEXT");
}

bool FramebufferObjectBeginStrategy::hasFramebufferObjects() const {
    return glBindFramebufferEXT != nullptr && glDeleteFramebuffersEXT != nullptr && glGenFramebuffersEXT != nullptr &&
           glCheckFramebufferStatusEXT != nullptr && glFramebufferTexture2DEXT != nullptr &&
           glBlendFuncSeparateEXT != nullptr;
}

void FramebufferObjectBeginStrategy::initProperties() {
    if (framebuffer == 0 && glGenFramebuffersEXT != nullptr) glGenFramebuffersEXT(1, &framebuffer);
    if (texture == 0) glGenTextures(1, &texture);
    for (VisComponentStrategy* s = component != nullptr ? component->strategy : nullptr; s != nullptr; s = s->getNext())
        if (auto* end = dynamic_cast<FramebufferObjectEndStrategy*>(s)) return pairWith(end);
    // Pushed onto a live component, the begin strategy comes first: its end, pushed next,
    // pairs itself with it.
    if (component == nullptr || !component->isLive())
        throw std::logic_error(
            "ERROR in FramebufferObjectBeginStrategy::initProperties() - Could not find "
            "FramebufferObjectEndStrategy in VisComponent.");
}

void FramebufferObjectBeginStrategy::pairWith(FramebufferObjectEndStrategy* end) {
    partner = end;
    partner->setTextureAttributes(&texture, &textureWidth, &textureHeight);
}

void FramebufferObjectBeginStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || component == nullptr) return;
    if (event->type == disableEventType) {
        enabled = false;
        return;
    }
    if (event->type != enableEventType) return;
    textureWidth = clampToInt(component->width);
    textureHeight = clampToInt(component->height);
    if (!isPowerOfTwo(component->width)) warnNotPowerOfTwo("width", textureWidth);
    else if (!isPowerOfTwo(component->height)) warnNotPowerOfTwo("height", textureHeight);
    enabled = buildTexture();
}

bool FramebufferObjectBeginStrategy::fitsTexture() const {
    GLint largestTexture = 0, largestBuffer = 0, viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestTexture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE_EXT, &largestBuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    const int largestSide = std::min({largestTexture, largestBuffer, viewport[0], viewport[1]});
    return textureWidth <= largestSide && textureHeight <= largestSide &&
           std::uint64_t(textureWidth) * std::uint64_t(textureHeight) <= kLargestTexture;
}

bool FramebufferObjectBeginStrategy::buildTexture() {
    if (!hasFramebufferObjects()) {
        if (!toldWhyNotCaptured)
            std::cout << "Warning in " << kOnEvent
                      << "The OpenGL driver offers no framebuffer objects: the component is drawn without capture."
                      << std::endl;
        toldWhyNotCaptured = true;
        return false;
    }
    if (framebuffer == 0) glGenFramebuffersEXT(1, &framebuffer);
    if (texture == 0) glGenTextures(1, &texture);

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Edge texels must not blend with the opposite edge when the quad is filtered.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // A size the driver cannot (or should not) hold gets no image, so that the status says so.
    const bool fits = fitsTexture();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, fits ? textureWidth : 0, fits ? textureHeight : 0, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, texture, 0);
    const GLenum status = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    if (status != GL_FRAMEBUFFER_COMPLETE_EXT)
        throw std::runtime_error(std::string("ERRROR in ") + kOnEvent + "Framebuffer object status " +
                                 statusName(status) + ".");
    return true;
}

void FramebufferObjectBeginStrategy::draw(const std::vector<unsigned long>&) {
    if (!enabled || partner == nullptr || component == nullptr) return;
    if (FramebufferCapture::isFull()) {
        if (!toldWhyNotCaptured)
            std::cout << "Warning in FramebufferObjectBeginStrategy::draw() - Captures nest deeper than "
                      << FramebufferCapture::kDeepest << ": the component is drawn without capture." << std::endl;
        toldWhyNotCaptured = true;
        return;
    }
    startCapture();
}

void FramebufferObjectBeginStrategy::startCapture() {
    FramebufferCapture::Open capture{partner, component, lastDrawnOf(*component), 0, {}, {}};
    double toOwner[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, capture.ownerMatrix);
    // A component turned edge-on or scaled to nothing shows nothing: no capture needed.
    if (!invertAffine(capture.ownerMatrix, toOwner)) return;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &capture.previousFramebuffer);
    glGetDoublev(GL_PROJECTION_MATRIX, capture.previousProjection);

    glPushAttrib(GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glViewport(0, 0, textureWidth, textureHeight);
    glDisable(GL_SCISSOR_TEST);
    // Whatever is drawn from here on, under any modelview, lands where it lies relative to the
    // component, with the component's centre in the texture's centre: the projection undoes
    // the component's modelview, so the subtree, drawn in global coordinates, is captured too.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, textureWidth, 0.0, textureHeight, -kDepth, kDepth);
    glTranslated(textureWidth * 0.5, textureHeight * 0.5, 0.0);
    glMultMatrixd(toOwner);
    glMatrixMode(GL_MODELVIEW);

    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glBlendFuncSeparateEXT(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glClear(GL_COLOR_BUFFER_BIT);
    FramebufferCapture::start(capture);
}
