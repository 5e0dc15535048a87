#ifndef DRAVIK_PLAYER_LOADEDLIBRARIES_H
#define DRAVIK_PLAYER_LOADEDLIBRARIES_H

// Keeps every shared library loaded so far (the OpenGL driver among them) mapped until the
// process ends. The driver is otherwise unloaded at exit before LeakSanitizer looks, and the
// blocks it keeps for its context then show up from an unknown module that no suppression
// can name; kept mapped, they are suppressed by the library's name (.ci/lsan.supp). Call it
// once the OpenGL context exists.
void keepLoadedLibrariesMapped();

#endif
