// A host program written against the installed headers and libraries, with a strategy of its
// own beside one of the library's. Both must see the host's event numbers: the library's
// translation moves the card by the host's drag, the host's strategy counts the host's press.
#include <dravik/DravikStrategies.h>
#include <dravik/Version.h>
#include <dravik/input/InputEventQueue.h>

#include <iostream>

namespace {

class PressCounter : public VisComponentStrategy {
public:
    unsigned presses = 0;

protected:
    void onEvent(DravikEvent* event) override {
        if (event->type == ConstantProvider::getInstance()->getEventTypeIdentifier("PRESS")) ++presses;
    }
};

}  // namespace

int main() {
    ConstantProvider* names = ConstantProvider::getInstance();
    DravikManager manager(nullptr, 0);
    auto* card = new VisComponent;
    card->width = 100;
    card->height = 100;
    card->position = Point3d(200, 200, 0);
    auto* counter = new PressCounter;
    card->pushStrategy(new LazyTranslationStrategy);
    card->pushStrategy(counter);
    manager.addComponent(card);

    DravikEvent press(names->getEventTypeIdentifier("PRESS"), 1, 210, 210);
    DravikEvent drag(names->getEventTypeIdentifier("DRAG"), 1, 240, 190);
    card->onEvent(&press);
    card->onEvent(&drag);
    InputEventQueue queue;  // the input library links too
    queue.push(InputEvent{});

    std::cout << "dravik " << DRAVIK_VERSION << " PRESS=" << press.type << " presses=" << counter->presses
              << " card at " << card->position.x << ',' << card->position.y << '\n';
    const bool moved = card->position.x == 230 && card->position.y == 180;
    return moved && counter->presses == 1 && queue.pushedCount() == 1 ? 0 : 1;
}
