// A program written against the installed headers and libraries.
#include <dravik/DravikStrategies.h>

#include <iostream>

int main() {
    ConstantProvider* names = ConstantProvider::getInstance();
    const unsigned press = names->getEventTypeIdentifier("PRESS");
    DravikManager manager(nullptr, 0);
    manager.addComponent(new VisComponent);
    std::cout << "PRESS=" << press << " components=" << manager.getNumberComponents() << '\n';
    return manager.getNumberComponents() == 1 ? 0 : 1;
}
