#include "manipulation/KeyEvent.h"

KeyEvent::KeyEvent(char key, unsigned type, unsigned userId, double x, double y, double z, VisComponent* component)
    : DravikEvent(type, userId, x, y, z, component, 1), key(key) {}

KeyEvent::~KeyEvent() = default;
