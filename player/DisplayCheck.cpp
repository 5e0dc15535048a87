#include "player/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

#include "player/PlayerError.h"

void checkDisplay(bool fullscreen) {
    const std::string option = fullscreen ? "--fullscreen needs a display, and " : "";
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        throw PlayerError(option + "there is no display to open a window on (DISPLAY is not set; without one, "
                                   "run under xvfb-run -a)",
                          1);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) throw PlayerError(option + "the display " + name + " cannot be opened", 1);
    XCloseDisplay(display);
}
