#include "lifecycle/CreatorStrategy.h"

#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

CreatorStrategy::~CreatorStrategy() = default;

void CreatorStrategy::onEvent(DravikEvent* event) {
    if (event == nullptr || event->type != ConstantProvider::getInstance()->getEventTypeIdentifier("PRESS")) return;
    const unsigned x = truncateToUnsigned(event->x), y = truncateToUnsigned(event->y);
    if (!component->isInside(x, y)) return;

    VisComponent* created = createComponent(x, y, 0);
    if (created == nullptr) return;
    DravikManager* scene = component->manager;
    if (scene == nullptr) {
        delete created;
        return;
    }
    if (!scene->addComponent(created)) return;
    created->moveNodeToFront();
    scene->replaceSelectedID(component->id, created->id);
    created->onEvent(event);
}
