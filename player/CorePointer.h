#ifndef DRAVIK_PLAYER_COREPOINTER_H
#define DRAVIK_PLAYER_COREPOINTER_H

// The input device (an XInput number) of the pointer that the window system reports through
// the mouse callbacks, or -1 when it cannot tell. freeglut reports that same pointer through
// its multi-touch callbacks as well, with this number as the contact: taken as a touch too,
// one mouse drag would be two users' drags. Call with the window's OpenGL context current.
int corePointerDevice();

#endif
