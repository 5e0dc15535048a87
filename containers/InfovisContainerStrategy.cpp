#include "containers/InfovisContainerStrategy.h"

#include <GL/gl.h>

#include <algorithm>

#include "framework/ConstantProvider.h"
#include "framework/ActiveGrids.h"
#include "framework/VisComponent.h"

InfovisContainerStrategy::InfovisContainerStrategy(const InfovisContainerStrategy& other)
    : VisComponentStrategy(other) {
    copyFields(other);
}

InfovisContainerStrategy& InfovisContainerStrategy::operator=(const InfovisContainerStrategy& other) {
    if (this != &other) {
        VisComponentStrategy::operator=(other);
        copyFields(other);
    }
    return *this;
}

InfovisContainerStrategy::~InfovisContainerStrategy() = default;

void InfovisContainerStrategy::copyFields(const InfovisContainerStrategy& other) {
    buttonBufferType = other.buttonBufferType;
    noButtonValue = other.noButtonValue;
    std::copy_n(other.idColor, 3, idColor);
    listWidth = listHeight = 0;  // this strategy records its own shape
}

void InfovisContainerStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    buttonBufferType = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    IBuffer<unsigned char>* grid = obtainButtonGrid(*component);
    component->getIdColor(idColor);
    noButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON"));
    fillButtonBuffer(grid);
}

void InfovisContainerStrategy::fillButtonBuffer(IBuffer<unsigned char>* buffer) {
    if (buffer != nullptr) buffer->fill(noButtonValue);
}

void InfovisContainerStrategy::resize(unsigned w, unsigned h) {
    fillButtonBuffer(resizedActiveGrid<unsigned char>(*component, buttonBufferType, w, h));
}

void InfovisContainerStrategy::createDisplayList() {
    listWidth = component->width;
    listHeight = component->height;
    const double hw = listWidth * 0.5, hh = listHeight * 0.5;
    displayList.compile([&] {
        glBegin(GL_QUADS);
        glVertex2d(-hw, -hh);
        glVertex2d(-hw, hh);
        glVertex2d(hw, hh);
        glVertex2d(hw, -hh);
        glEnd();
    });
}

void InfovisContainerStrategy::drawForPicking() {
    if (displayList.name() == 0 || component->width != listWidth || component->height != listHeight)
        createDisplayList();
    glColor3ubv(idColor);
    displayList.call();
    glFlush();
}
