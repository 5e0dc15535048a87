#include "player/ButtonAreaStrategy.h"

#include "framework/ConstantProvider.h"
#include "framework/ActiveGrids.h"
#include "framework/VisComponent.h"

ButtonAreaStrategy::ButtonAreaStrategy(std::string area) : area(std::move(area)) {}

void ButtonAreaStrategy::initProperties() {
    buttonBufferType = ConstantProvider::getInstance()->getBufferTypeIdentifier("BUTTON_BUFFER");
    fill(obtainButtonGrid(*component));
}

void ButtonAreaStrategy::resize(unsigned w, unsigned h) {
    fill(resizedActiveGrid<unsigned char>(*component, buttonBufferType, w, h));
}

void ButtonAreaStrategy::fill(IBuffer<unsigned char>* grid) {
    if (grid != nullptr)
        grid->fill(static_cast<unsigned char>(ConstantProvider::getInstance()->getButtonBufferValue(area)));
}
