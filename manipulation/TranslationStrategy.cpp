#include "manipulation/TranslationStrategy.h"

#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "manipulation/detail/TouchGeometry.h"

void TranslationStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    pressEventType = names->getEventTypeIdentifier("PRESS");
    dragEventType = names->getEventTypeIdentifier("DRAG");
    releaseEventType = names->getEventTypeIdentifier("RELEASE");
    cancelEventType = names->getEventTypeIdentifier("CANCEL");
    buttonBufferType = names->getBufferTypeIdentifier("BUTTON_BUFFER");
    translationAreaValue = static_cast<unsigned char>(names->getButtonBufferValue("TRANSLATION_AREA"));
    noButtonValue = static_cast<unsigned char>(names->getButtonBufferValue("NO_BUTTON"));
}

void TranslationStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr) return;

    if (event->type == pressEventType) {
        if (grabbed || !detail::hasFinitePoint(*event)) return;
        const unsigned x = truncateToUnsigned(event->x), y = truncateToUnsigned(event->y);
        if (!component->isInside(x, y)) return;
        grabbed = true;
        userId = event->userId;
        // A refused press still holds the component for this user until the release.
        if (!activateTranslation(getButtonValue(x, y))) return;
        translating = true;
        lastPosition = event->getCoords();
    } else if (event->type == dragEventType) {
        if (!grabbed || event->userId != userId || !translating || !detail::hasFinitePoint(*event)) return;
        component->moveBranchBy(event->x - lastPosition.x, event->y - lastPosition.y, 0.0);
        lastPosition = event->getCoords();
    } else if (event->type == releaseEventType || event->type == cancelEventType) {
        if (!grabbed || event->userId != userId) return;
        grabbed = false;
        translating = false;
    }
}

bool TranslationStrategy::activateTranslation(unsigned char buttonValue) {
    return buttonValue == translationAreaValue;
}

unsigned char TranslationStrategy::getButtonValue(unsigned x, unsigned y) {
    unsigned char value = noButtonValue;
    readActiveBufferCell(component, buttonBufferType, x, y, &value);
    return value;
}
