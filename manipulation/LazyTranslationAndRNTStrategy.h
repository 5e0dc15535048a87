#ifndef DRAVIK_MANIPULATION_LAZYTRANSLATIONANDRNTSTRATEGY_H
#define DRAVIK_MANIPULATION_LAZYTRANSLATIONANDRNTSTRATEGY_H

#include <cstdint>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "manipulation/LazyRNTStrategy.h"

class FrameTimer;

// Translation or rotate-and-translate, chosen by where the press lands. A press inside the
// translation circle around the component's position (radius: `translationRadiusFactor`
// times the smaller side, scaled) makes the following drags only move the component, by
// whole pixels; a press anywhere else inside the component makes them turn and move it as
// RNTStrategy does. The choice holds until the release.
//
// While a user holds the component the translation circle is drawn (in `color`, with the
// component's alpha); after the release it stays fully visible for `timeoutDuration` seconds
// of the manager's frame timer and then fades out over `fadeoutDuration`. The circle keeps
// its shape under unequal scaling. Without a frame timer it disappears at the release.
class DRAVIK_API LazyTranslationAndRNTStrategy : public LazyRNTStrategy {
public:
    LazyTranslationAndRNTStrategy() = default;
    // A copy has the same configuration and state and builds a display list of its own.
    LazyTranslationAndRNTStrategy(const LazyTranslationAndRNTStrategy& other);
    LazyTranslationAndRNTStrategy& operator=(const LazyTranslationAndRNTStrategy& other);
    ~LazyTranslationAndRNTStrategy() override;

    // Setters only store: the circle is recorded again when the component's size changes.
    const double* getColor() const { return color; }
    void setColor(const double* rgba);
    double getDecorationWidth() const { return decorationWidth; }
    void setDecorationWidth(double width) { decorationWidth = width; }
    bool getDrawDecoration() const { return drawDecoration; }
    void setDrawDecoration(bool draw) { drawDecoration = draw; }
    double getFadeoutDuration() const { return fadeoutDuration; }
    void setFadeoutDuration(double seconds) { fadeoutDuration = seconds; }
    // Spelled as the library's interface has always spelled it.
    unsigned getNumberSegements() const { return numberSegments; }
    void setNumberSegments(unsigned segments) { numberSegments = segments; }
    double getTimeoutDuration() const { return timeoutDuration; }
    void setTimeoutDuration(double seconds) { timeoutDuration = seconds; }
    double getTranslationRadiusFactor() const { return translationRadiusFactor; }
    void setTranslationRadiusFactor(double factor) { translationRadiusFactor = factor; }
    bool isTranslationMode() const { return translationMode; }
    bool isFading() const { return fading; }

protected:
    void initProperties() override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void onEvent(DravikEvent* event) override;
    bool applyRNT(double x, double y) override;

    // Whether the global point lies strictly inside the translation circle.
    bool isInsideTranslationArea(double x, double y) const;
    // Records the circle for the component's current size into `displayList`.
    virtual void createDisplayList();

    bool translationMode = false;
    double translationRadiusFactor = 0.3;
    double decorationWidth = 1.5;
    bool drawDecoration = true;
    unsigned numberSegments = 36;
    DisplayList displayList;
    std::uint32_t listWidth = 0;  // component size when the circle was recorded
    std::uint32_t listHeight = 0;
    FrameTimer* frameTimer = nullptr;  // the manager's, not owned
    bool fading = false;               // released: in the time-out or the fade
    double fadeStart = 0.0;
    double fadeEnd = 0.0;
    double timeoutDuration = 1.0;
    double fadeoutDuration = 2.0;

private:
    void copySettings(const LazyTranslationAndRNTStrategy& other);
    // The alpha factor of the fade at this moment; false when the circle is gone.
    bool fadeFactor(double& factor);
};

#endif
