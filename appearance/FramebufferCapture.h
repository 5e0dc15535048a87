#ifndef DRAVIK_APPEARANCE_FRAMEBUFFERCAPTURE_H
#define DRAVIK_APPEARANCE_FRAMEBUFFERCAPTURE_H

#include <cstddef>
#include <vector>

#include "framework/Export.h"

class FramebufferObjectEndStrategy;
class VisComponent;

// The framebuffer captures under way in the current render pass, innermost last.
//
// A capture that a component's FramebufferObjectBeginStrategy starts takes in what the
// component draws after it and everything its subtree draws: the manager draws a subtree
// right after its top component, so the capture ends when the last component of the subtree
// has been drawn, or at the component's FramebufferObjectEndStrategy when the component has
// no subtree. Components (VisComponentGL) report each component they draw, so that captures
// end in time even when a subtree is drawn only in part.
class DRAVIK_API FramebufferCapture {
public:
    // How deep captures may nest; a deeper one is not started.
    static constexpr std::size_t kDeepest = 8;

    struct Open {
        FramebufferObjectEndStrategy* end;  // ends the capture and draws the texture
        const VisComponent* owner;          // the captured component
        const VisComponent* last;           // the last component drawn into the capture
        int previousFramebuffer;            // bound before, bound again at the end
        double previousProjection[16];      // likewise
        double ownerMatrix[16];             // modelview under which the owner draws
    };

    static bool isFull() { return open().size() >= kDeepest; }
    static void start(const Open& capture) { open().push_back(capture); }
    // The capture whose end strategy is `end`, if it is the innermost one; else null.
    static const Open* innermostOf(const FramebufferObjectEndStrategy* end);
    // Ends the innermost capture: its end strategy restores the state and draws the texture.
    static void endInnermost();

    // Called by components around their drawing: before one is drawn, captures whose subtree
    // does not hold it end; after one is drawn, captures whose last component it is end.
    static void beforeDrawing(const VisComponent& component) {
        if (!open().empty()) endCapturesLeftBy(component);
    }
    static void afterDrawing(const VisComponent& component) {
        while (!open().empty() && open().back().last == &component) endInnermost();
    }

private:
    static std::vector<Open>& open();
    static void endCapturesLeftBy(const VisComponent& component);
};

#endif
