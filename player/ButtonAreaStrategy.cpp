#include "player/ButtonAreaStrategy.h"

#include "framework/ConstantProvider.h"
#include "framework/IBufferProxy.h"
#include "framework/VisComponent.h"

ButtonAreaStrategy::ButtonAreaStrategy(std::string area) : area(std::move(area)) {}

void ButtonAreaStrategy::initProperties() {
    buttonBufferType = ConstantProvider::getInstance()->getBufferTypeIdentifier("BUTTON_BUFFER");
    if (component->getActiveBufferByType(buttonBufferType) == nullptr)
        component->addActiveBuffer(new IBufferProxy(
            buttonBufferType, new IBuffer<unsigned char>(buttonBufferType, 1, component->width, component->height,
                                                         component->width, component->height)));
    fill();
}

void ButtonAreaStrategy::resize(unsigned, unsigned) { fill(); }

void ButtonAreaStrategy::fill() {
    IBufferProxy* proxy = component->getActiveBufferByType(buttonBufferType);
    if (IBuffer<unsigned char>* grid = proxy != nullptr ? proxy->getBuffer<unsigned char>() : nullptr)
        grid->fill(static_cast<unsigned char>(ConstantProvider::getInstance()->getButtonBufferValue(area)));
}
