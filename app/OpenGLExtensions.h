#ifndef DRAVIK_APP_OPENGLEXTENSIONS_H
#define DRAVIK_APP_OPENGLEXTENSIONS_H

#include <string>
#include <vector>

#include "framework/Export.h"

// What the current OpenGL context offers beyond OpenGL 1.1: its extensions, and their entry
// points looked up by name through the platform's procedure lookup (glXGetProcAddressARB).
// Every caller looks entry points up here.
//
// The platform lookup may hand out a pointer even for a name that the driver does not
// implement, so a caller uses an entry point only when the extension that brings it is
// offered as well.
class DRAVIK_API OpenGLExtensions {
public:
    using EntryPoint = void (*)();

    // True when the context's extension string holds `extension` (a plain substring test,
    // as drivers have always been queried). False without a current context.
    static bool isSupported(const char* extension);

    // The entry point named `name`, or null when there is none.
    static EntryPoint lookup(const char* name);

    // The entry point as a pointer of the function's own type, e.g.
    // lookupAs<PFNGLBINDFRAMEBUFFEREXTPROC>("glBindFramebufferEXT").
    template <class Function>
    static Function lookupAs(const char* name) {
        return reinterpret_cast<Function>(lookup(name));
    }

    // For tests: from now on the listed extensions and entry points count as missing, as on a
    // driver without them. An empty list restores the driver as it is.
    static void pretendMissing(std::vector<std::string> names);
};

#endif
