#include "player/CorePointer.h"

#include <GL/glx.h>
#include <X11/extensions/XInput2.h>

int corePointerDevice() {
    Display* display = glXGetCurrentDisplay();
    int opcode = 0, event = 0, error = 0;
    if (display == nullptr || !XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return -1;
    int device = -1;
    if (!XIGetClientPointer(display, None, &device)) return -1;
    return device;
}
