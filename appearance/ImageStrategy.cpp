#include "appearance/ImageStrategy.h"

#include <GL/gl.h>

#include "framework/VisComponent.h"

namespace {

// The rectangle as a strip, bottom edge first; with a texture, t = 1 at the bottom and
// t = 0 at the top, where the image's first (top) row lies.
void emitRectangle(double hw, double hh, bool textured) {
    glBegin(GL_QUAD_STRIP);
    if (textured) glTexCoord2d(0.0, 1.0);
    glVertex3d(-hw, -hh, 0.0);
    if (textured) glTexCoord2d(1.0, 1.0);
    glVertex3d(hw, -hh, 0.0);
    if (textured) glTexCoord2d(0.0, 0.0);
    glVertex3d(-hw, hh, 0.0);
    if (textured) glTexCoord2d(1.0, 0.0);
    glVertex3d(hw, hh, 0.0);
    glEnd();
}

}  // namespace

ImageStrategy::ImageStrategy(std::uint32_t textureName) : textureName(textureName) {}

ImageStrategy::ImageStrategy(const ImageStrategy& other)
    : VisComponentStrategy(other), textureName(other.textureName) {}

ImageStrategy& ImageStrategy::operator=(const ImageStrategy& other) {
    if (this != &other) {
        VisComponentStrategy::operator=(other);
        textureName = other.textureName;
        if (displayList.name() != 0) createDisplayList();  // for the new texture
    }
    return *this;
}

void ImageStrategy::createDisplayList() {
    if (component == nullptr) return;
    listWidth = component->width;
    listHeight = component->height;
    const double hw = listWidth * 0.5;
    const double hh = listHeight * 0.5;
    displayList.compile([&] {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, textureName);
        emitRectangle(hw, hh, true);
        glDisable(GL_TEXTURE_2D);
    });
    unsigned char idColor[3] = {0, 0, 0};
    component->getIdColor(idColor);
    pickingList.compile([&] {
        glColor3ubv(idColor);
        emitRectangle(hw, hh, false);
    });
}

bool ImageStrategy::listsOutdated(const DisplayList& list) const {
    return list.name() == 0 || component->width != listWidth || component->height != listHeight;
}

void ImageStrategy::draw(const std::vector<unsigned long>&) {
    if (component == nullptr) return;
    if (listsOutdated(displayList)) createDisplayList();
    glColor4dv(component->color);
    displayList.call();
    glFlush();
}

void ImageStrategy::drawForPicking() {
    if (component == nullptr) return;
    if (listsOutdated(pickingList)) createDisplayList();
    pickingList.call();
    glFlush();
}
