#ifndef DRAVIK_PLAYER_OFFSCREENCONTEXT_H
#define DRAVIK_PLAYER_OFFSCREENCONTEXT_H

// An OpenGL context without a window or a display, current on the calling thread while the
// object lives: Mesa's surfaceless EGL platform. A scene loads in it exactly as in the
// player's window (textures are uploaded, display lists and framebuffer objects made), so
// that checking a scene finds the problems that playing it would, the driver's limits on
// texture sizes included, on a machine without a display. Nothing is drawn.
class OffscreenContext {
public:
    // Throws PlayerError (status 1) when the system offers no such context.
    OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;
    ~OffscreenContext();

private:
    void* display = nullptr;  // EGLDisplay
    void* context = nullptr;  // EGLContext
};

#endif
