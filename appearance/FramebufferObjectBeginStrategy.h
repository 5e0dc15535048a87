#ifndef DRAVIK_APPEARANCE_FRAMEBUFFEROBJECTBEGINSTRATEGY_H
#define DRAVIK_APPEARANCE_FRAMEBUFFEROBJECTBEGINSTRATEGY_H

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

class FramebufferObjectEndStrategy;

// Captures a component's drawing into a texture of the component's size, through an OpenGL
// framebuffer object: pushed before the strategies to capture, with a
// FramebufferObjectEndStrategy after them, which draws the texture in the component's place.
// A component with a subtree is captured with its subtree (see FramebufferObjectEndStrategy);
// captures nest up to FramebufferCapture::kDeepest deep.
//
// The enable event (re)creates the texture at the component's current size and switches
// capturing on; the disable event switches it off. The texture starts each frame opaque
// black with alpha 1; drawing into it blends so that alpha keeps the remaining transparency
// (1 where nothing was drawn, 0 under opaque drawing), which the end strategy composites by.
// Blending is switched on while capturing.
//
// Without GL_EXT_framebuffer_object and GL_EXT_blend_func_separate, and for captures nested
// too deep, the component is drawn directly, with one message on standard output saying why.
// A framebuffer that is not complete, as for a component of no pixels or one larger than the
// driver's textures (or than 64 Mpixels), throws std::runtime_error from the enable event
// with framebuffer 0 bound; capturing stays as it was.
//
// The pair may also be pushed, begin first, onto a component already in a manager: the end
// strategy then pairs itself with the begin strategy below it.
class DRAVIK_API FramebufferObjectBeginStrategy : public VisComponentStrategy {
public:
    // Largest texture this strategy makes, in pixels (256 MiB of RGBA).
    static constexpr std::uint64_t kLargestTexture = 8192ull * 8192ull;

    // Defaults: the event types "ENABLE_FRAMEBUFFER_OBJECT_RENDERING" and
    // "DISABLE_FRAMEBUFFER_OBJECT_RENDERING". An OpenGL context must be current; the
    // constructor says which extensions are missing.
    FramebufferObjectBeginStrategy();
    FramebufferObjectBeginStrategy(std::uint32_t enableEventType, std::uint32_t disableEventType);
    // A copy reacts to the same events and makes its own framebuffer and texture.
    FramebufferObjectBeginStrategy(const FramebufferObjectBeginStrategy& other);
    FramebufferObjectBeginStrategy& operator=(const FramebufferObjectBeginStrategy& other);
    ~FramebufferObjectBeginStrategy() override;

    bool isEnabled() const { return enabled; }
    std::uint32_t getTexture() const { return texture; }

protected:
    // Makes the framebuffer and texture names and finds the end strategy on the component;
    // throws std::logic_error when there is none (unless the component is live, see above).
    void initProperties() override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void onEvent(DravikEvent* event) override;

    std::uint32_t framebuffer = 0;  // 0 = none
    std::uint32_t texture = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    std::uint32_t enableEventType;
    std::uint32_t disableEventType;
    bool enabled = false;
    // Null where the driver lacks them; never called then.
    PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;
    PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT = nullptr;
    PFNGLBLENDFUNCSEPARATEEXTPROC glBlendFuncSeparateEXT = nullptr;
    PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;

private:
    void lookUpEntryPoints();
    void pairWith(FramebufferObjectEndStrategy* end);
    bool hasFramebufferObjects() const;
    // Makes the texture and attaches it; false (with a message) without framebuffer objects.
    bool buildTexture();
    bool fitsTexture() const;
    void startCapture();
    void releaseNames();

    FramebufferObjectEndStrategy* partner = nullptr;
    bool toldWhyNotCaptured = false;  // the reason is written once

    friend class FramebufferObjectEndStrategy;
};

#endif
