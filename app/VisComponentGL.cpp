#include "app/VisComponentGL.h"

#include <GL/gl.h>

#include "appearance/FramebufferCapture.h"

namespace {
constexpr double kDegreesPerRadian = 57.29577951308232;
}

VisComponentGL::~VisComponentGL() = default;

void VisComponentGL::preRender() {
    FramebufferCapture::beforeDrawing(*this);
    glPushMatrix();
    glTranslated(position.x, position.y, position.z);
    glRotated(angle * kDegreesPerRadian, 0.0, 0.0, 1.0);
    glScaled(scale.x, scale.y, scale.z);
}

void VisComponentGL::postRender() {
    glPopMatrix();
    FramebufferCapture::afterDrawing(*this);
}
