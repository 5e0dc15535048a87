#include "appearance/FramebufferObjectEndStrategy.h"

#include <iostream>

#include "app/OpenGLExtensions.h"
#include "appearance/FramebufferObjectBeginStrategy.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"

FramebufferObjectEndStrategy::FramebufferObjectEndStrategy()
    : FramebufferObjectEndStrategy(
          ConstantProvider::getInstance()->getEventTypeIdentifier("ENABLE_FRAMEBUFFER_OBJECT_RENDERING"),
          ConstantProvider::getInstance()->getEventTypeIdentifier("DISABLE_FRAMEBUFFER_OBJECT_RENDERING")) {}

FramebufferObjectEndStrategy::FramebufferObjectEndStrategy(std::uint32_t enableEventType,
                                                           std::uint32_t disableEventType)
    : enableEventType(enableEventType), disableEventType(disableEventType) {
    lookUpEntryPoints();
}

FramebufferObjectEndStrategy::FramebufferObjectEndStrategy(const FramebufferObjectEndStrategy& other)
    : FramebufferObjectEndStrategy(other.enableEventType, other.disableEventType) {}

FramebufferObjectEndStrategy& FramebufferObjectEndStrategy::operator=(const FramebufferObjectEndStrategy& other) {
    if (this == &other) return *this;
    VisComponentStrategy::operator=(other);
    enableEventType = other.enableEventType;
    disableEventType = other.disableEventType;
    return *this;
}

FramebufferObjectEndStrategy::~FramebufferObjectEndStrategy() = default;

void FramebufferObjectEndStrategy::lookUpEntryPoints() {
    if (OpenGLExtensions::isSupported("GL_EXT_framebuffer_object"))
        glBindFramebufferEXT = OpenGLExtensions::lookupAs<PFNGLBINDFRAMEBUFFEREXTPROC>("glBindFramebufferEXT");
    else
        std::cout << "OpenGL extensionGL_EXT_framebuffer_object was not found!";
    if (OpenGLExtensions::isSupported("GL_EXT_blend_func_separate"))
        glBlendFuncSeparateEXT = OpenGLExtensions::lookupAs<PFNGLBLENDFUNCSEPARATEEXTPROC>("glBlendFuncSeparateEXT");
}

void FramebufferObjectEndStrategy::setTextureAttributes(std::uint32_t* name, int* width, int* height) {
    textureName = name;
    textureWidth = width;
    textureHeight = height;
}

void FramebufferObjectEndStrategy::initProperties() {
    for (VisComponentStrategy* s = getNext(); s != nullptr; s = s->getNext())
        if (auto* begin = dynamic_cast<FramebufferObjectBeginStrategy*>(s)) {
            if (begin->partner == nullptr) begin->pairWith(this);
            return;
        }
}

void FramebufferObjectEndStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;
    if (event->type == enableEventType) enabled = true;
    else if (event->type == disableEventType) enabled = false;
}

void FramebufferObjectEndStrategy::draw(const std::vector<unsigned long>&) {
    if (!enabled) return;
    // With a subtree the capture goes on until the subtree has been drawn.
    const FramebufferCapture::Open* capture = FramebufferCapture::innermostOf(this);
    if (capture != nullptr && capture->last == component) FramebufferCapture::endInnermost();
}

void FramebufferObjectEndStrategy::finishCapture(const FramebufferCapture::Open& capture) {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(capture.previousFramebuffer));
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(capture.previousProjection);
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();  // viewport, colour buffer and scissor state from before the capture

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glPushMatrix();
    glLoadMatrixd(capture.ownerMatrix);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_CULL_FACE);  // the half turn shows the quad's back
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // The texture's first row holds the component's bottom edge; the quad puts t = 0 at the
    // top edge, so a half turn about the x axis shows the picture upright.
    glRotated(180.0, 1.0, 0.0, 0.0);
    drawFramebufferObjectTexture();
    glPopMatrix();
    glPopAttrib();
}

void FramebufferObjectEndStrategy::drawFramebufferObjectTexture() {
    if (textureName == nullptr || textureWidth == nullptr || textureHeight == nullptr) return;
    const double hw = *textureWidth * 0.5, hh = *textureHeight * 0.5;
    // The texture's colour is added; what lies below stays in the measure of the texture's
    // remaining transparency, and so does the alpha below (for captures inside captures).
    if (glBlendFuncSeparateEXT != nullptr) glBlendFuncSeparateEXT(GL_ONE, GL_SRC_ALPHA, GL_ZERO, GL_SRC_ALPHA);
    else glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, *textureName);
    glBegin(GL_QUADS);
    glNormal3d(0.0, 0.0, 1.0);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(-hw, -hh);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(hw, -hh);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(hw, hh);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(-hw, hh);
    glEnd();
}
