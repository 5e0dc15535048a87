#ifndef DRAVIK_APPEARANCE_FRAMEBUFFEROBJECTENDSTRATEGY_H
#define DRAVIK_APPEARANCE_FRAMEBUFFEROBJECTENDSTRATEGY_H

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

#include "appearance/FramebufferCapture.h"
#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// The partner of FramebufferObjectBeginStrategy on the same component, pushed after the
// strategies whose drawing is captured: it ends the capture, restores the drawing state and
// draws the captured texture as one quad over the component's rectangle, blended so that
// what lies below shows through where nothing was captured. The picture is turned half a
// turn about the x axis so that it shows upright, as it was drawn.
//
// A component with a subtree is captured with its subtree: the capture then ends after the
// subtree has been drawn (see FramebufferCapture), and the strategies pushed after this one
// are captured as well.
//
// The enable event switches drawing the texture on, the disable event off; with nothing
// captured there is nothing to draw.
class DRAVIK_API FramebufferObjectEndStrategy : public VisComponentStrategy {
public:
    // Defaults: the event types "ENABLE_FRAMEBUFFER_OBJECT_RENDERING" and
    // "DISABLE_FRAMEBUFFER_OBJECT_RENDERING". An OpenGL context must be current.
    FramebufferObjectEndStrategy();
    FramebufferObjectEndStrategy(std::uint32_t enableEventType, std::uint32_t disableEventType);
    // A copy reacts to the same events and has no partner until a begin strategy finds it.
    FramebufferObjectEndStrategy(const FramebufferObjectEndStrategy& other);
    FramebufferObjectEndStrategy& operator=(const FramebufferObjectEndStrategy& other);
    ~FramebufferObjectEndStrategy() override;

    bool isEnabled() const { return enabled; }

protected:
    // Pairs with the begin strategy below it that has no partner yet.
    void initProperties() override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void onEvent(DravikEvent* event) override;

    // Draws the texture over the component's rectangle under the current matrix: texture
    // coordinate t = 1 at the -y edge, t = 0 at the +y edge. A subclass may draw it otherwise.
    virtual void drawFramebufferObjectTexture();

    // The begin strategy's texture name and size, read at every draw.
    void setTextureAttributes(std::uint32_t* textureName, int* width, int* height);

    std::uint32_t* textureName = nullptr;
    int* textureWidth = nullptr;
    int* textureHeight = nullptr;
    std::uint32_t enableEventType;
    std::uint32_t disableEventType;
    bool enabled = false;
    // Null where the driver lacks them; never called then.
    PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
    PFNGLBLENDFUNCSEPARATEEXTPROC glBlendFuncSeparateEXT = nullptr;

private:
    void lookUpEntryPoints();
    void finishCapture(const FramebufferCapture::Open& capture);

    friend class FramebufferCapture;
    friend class FramebufferObjectBeginStrategy;
};

#endif
