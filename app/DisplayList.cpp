#include "app/DisplayList.h"

#include <GL/gl.h>

DisplayList::~DisplayList() {
    if (listName != 0) glDeleteLists(listName, 1);
}

bool DisplayList::begin() {
    if (listName == 0) listName = glGenLists(1);
    if (listName == 0) return false;  // no context, or no list names left
    glNewList(listName, GL_COMPILE);
    return true;
}

void DisplayList::end() { glEndList(); }

void DisplayList::call() const {
    if (listName != 0) glCallList(listName);
}
