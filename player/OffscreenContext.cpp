#include "player/OffscreenContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <string>

#include "player/PlayerError.h"

namespace {

[[noreturn]] void unavailable(const std::string& step) {
    throw PlayerError("no OpenGL context without a display to load the scene in (" + step + " failed)", 1);
}

}  // namespace

OffscreenContext::OffscreenContext() {
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) unavailable("eglGetPlatformDisplayEXT");
    display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
        display = nullptr;
        unavailable("the surfaceless EGL platform");
    }
    // The compatibility profile, as the window gets: the strategies use display lists.
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint found = 0;
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE || eglChooseConfig(display, wanted, &config, 1, &found) != EGL_TRUE ||
        found == 0) {
        eglTerminate(display);
        unavailable("choosing a desktop OpenGL configuration");
    }
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT || eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) != EGL_TRUE) {
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglTerminate(display);
        unavailable("making a context without a surface current");
    }
}

OffscreenContext::~OffscreenContext() {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglTerminate(display);
}
