#ifndef DRAVIK_APP_VISCOMPONENTGL_H
#define DRAVIK_APP_VISCOMPONENTGL_H

#include "framework/Export.h"
#include "framework/VisComponent.h"

// The library's concrete component: before its strategies draw, it moves the OpenGL
// modelview matrix to its position, angle and scale, so that strategies draw in component
// coordinates; afterwards it restores the matrix. It is picked only where its strategies
// draw in picking mode.
//
// Around its drawing it tells framebuffer captures (FramebufferCapture) that it is drawn, so
// that a capture of a subtree ends right after the subtree.
class DRAVIK_API VisComponentGL : public VisComponent {
public:
    VisComponentGL() = default;
    VisComponentGL(const VisComponentGL&) = default;
    VisComponentGL& operator=(const VisComponentGL&) = default;
    ~VisComponentGL() override;

protected:
    void preRender() override;
    void postRender() override;
};

#endif
