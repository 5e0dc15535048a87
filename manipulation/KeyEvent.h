#ifndef DRAVIK_MANIPULATION_KEYEVENT_H
#define DRAVIK_MANIPULATION_KEYEVENT_H

#include "framework/DravikEvent.h"
#include "framework/Export.h"

// An event that carries the character of a key press, for hosts that feed keys into the
// framework.
class DRAVIK_API KeyEvent : public DravikEvent {
public:
    explicit KeyEvent(char key = ' ', unsigned type = 0, unsigned userId = DravikEvent::NoUserId, double x = 0.0,
                      double y = 0.0, double z = 0.0, VisComponent* component = nullptr);
    KeyEvent(const KeyEvent&) = default;
    KeyEvent& operator=(const KeyEvent&) = default;
    ~KeyEvent() override;

    char getKey() const { return key; }
    void setKey(char newKey) { key = newKey; }

protected:
    char key;
};

#endif
