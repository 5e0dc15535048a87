#include "containers/CurrentObserverStrategy.h"

#include <cmath>

#include "containers/CurrentBeltContainerStrategy.h"
#include "framework/BufferCellLookup.h"
#include "framework/ConstantProvider.h"
#include "framework/IBufferProxy.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

void CurrentObserverStrategy::initProperties() {
    ConstantProvider* names = ConstantProvider::getInstance();
    sizeBufferType = names->getBufferTypeIdentifier("SIZE_BUFFER");
    orientationBufferType = names->getBufferTypeIdentifier("ORIENTATION_BUFFER");
    directionBufferType = names->getBufferTypeIdentifier("DIRECTION_BUFFER");
    for (unsigned type : {sizeBufferType, orientationBufferType, directionBufferType})
        component->addPassiveBuffer(new IBufferProxy(type));
}

void CurrentObserverStrategy::readCell(unsigned type, double* values) const {
    // A grid of more values per cell than expected is not this observer's grid.
    const IBufferProxy* proxy = component->getPassiveBufferByType(type);
    const unsigned expected = type == sizeBufferType ? 1 : 2;
    if (proxy == nullptr || proxy->buffer == nullptr || proxy->buffer->valuesPerCell > expected) return;
    readPassiveBufferCell(component, type, truncateToUnsigned(component->position.x),
                          truncateToUnsigned(component->position.y), values);
}

void CurrentObserverStrategy::readSize() {
    double v = 0.0;
    readCell(sizeBufferType, &v);
    if (!(v > 0.0) || !isFiniteValue(v)) return;
    if (component->height > 0) component->scale.y = v / component->height;
    if (component->width > 0) component->scale.x = v / component->width;
}

void CurrentObserverStrategy::readOrientation() {
    double n[2] = {0.0, 0.0};
    readCell(orientationBufferType, n);
    if (n[0] == 0.0 && n[1] == 0.0) return;
    double length = std::sqrt(n[0] * n[0] + n[1] * n[1]);
    if (length == 0.0) length = 1.0;
    double a = std::acos(n[1] / length);
    if (n[0] > 0.0) a = -a;
    if (isFiniteValue(a)) component->angle = a;
}

void CurrentObserverStrategy::readDirection() {
    double d[2] = {0.0, 0.0};
    readCell(directionBufferType, d);
    component->moveBranchBy(d[0], d[1], 0.0);
}

void CurrentObserverStrategy::readPassiveBuffers(const std::vector<unsigned>& types) {
    for (unsigned type : types) {
        if (type == sizeBufferType)
            readSize();
        else if (type == orientationBufferType)
            readOrientation();
        else if (type == directionBufferType)
            readDirection();
    }
}

void CurrentObserverStrategy::readAllPassiveBuffers() {
    readSize();
    readOrientation();
    readDirection();
}

void CurrentObserverStrategy::readAllPickingPassiveBuffers() { readAllPassiveBuffers(); }

bool CurrentObserverStrategy::drop(bool animate) {
    const VisComponent* parent = component->getParent();
    if (parent == nullptr) return false;
    bool onBelt = false;
    for (VisComponentStrategy* s = parent->strategy; s != nullptr && !onBelt; s = s->getNext())
        onBelt = dynamic_cast<CurrentBeltContainerStrategy*>(s) != nullptr;
    if (!onBelt) return false;
    if (animate) component->animateAdding({sizeBufferType, orientationBufferType, directionBufferType}, 1);
    return true;
}
