#ifndef DRAVIK_PLAYER_DISPLAYCHECK_H
#define DRAVIK_PLAYER_DISPLAYCHECK_H

// Throws PlayerError (status 1, a start-up failure) when no window can be opened: no
// DISPLAY, or one that cannot be opened. freeglut would otherwise end the process itself
// with a message that names no remedy. `fullscreen` names the option in the message.
void checkDisplay(bool fullscreen);

#endif
