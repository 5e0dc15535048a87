// A program written against the installed headers and libraries.
#include <dravik/DravikStrategies.h>
#include <dravik/input/InputEventQueue.h>

#include <iostream>

int main() {
    ConstantProvider* names = ConstantProvider::getInstance();
    const unsigned press = names->getEventTypeIdentifier("PRESS");
    DravikManager manager(nullptr, 0);
    manager.addComponent(new VisComponent);
    InputEventQueue queue;  // the input library links too
    queue.push(InputEvent{});
    std::cout << "PRESS=" << press << " components=" << manager.getNumberComponents() << '\n';
    return manager.getNumberComponents() == 1 && queue.pushedCount() == 1 ? 0 : 1;
}
