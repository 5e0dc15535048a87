#ifndef DRAVIK_APP_DISPLAYLIST_H
#define DRAVIK_APP_DISPLAYLIST_H

#include <cstdint>

#include "framework/Export.h"

// One OpenGL display list owned by a strategy: named on the first compile, compiled again in
// place after that, deleted with its owner (an OpenGL context must be current then). A copy
// owns no list of its own until it compiles one, so copies never delete each other's lists.
class DRAVIK_API DisplayList {
public:
    DisplayList() = default;
    DisplayList(const DisplayList&) {}
    DisplayList& operator=(const DisplayList&) { return *this; }
    ~DisplayList();

    // Records what `emit` draws into the list.
    template <class Emit>
    void compile(Emit&& emit) {
        if (begin()) {
            emit();
            end();
        }
    }
    void call() const;
    std::uint32_t name() const { return listName; }  // 0: none yet

private:
    bool begin();
    void end();

    std::uint32_t listName = 0;
};

#endif
