#ifndef DRAVIK_MANIPULATION_TRANSLATIONSTRATEGY_H
#define DRAVIK_MANIPULATION_TRANSLATIONSTRATEGY_H

#include "framework/Export.h"
#include "framework/Point3d.h"
#include "framework/VisComponentStrategy.h"

// Lets one user at a time drag the component, with its subtree, across the display.
//
// A press inside the component grabs it for the pressing user; when the button value under
// the press is one that activateTranslation accepts (the "TRANSLATION_AREA"), every drag of
// that user moves the component by the pointer's displacement since the last handled event.
// Other users are ignored until the holder releases. Presses and drags at points that are
// not finite numbers are ignored; the holder's release frees the component wherever it is.
class DRAVIK_API TranslationStrategy : public VisComponentStrategy {
public:
    TranslationStrategy() = default;
    // Copies carry the grab state too; the copy sits on no component.
    TranslationStrategy(const TranslationStrategy&) = default;
    TranslationStrategy& operator=(const TranslationStrategy&) = default;
    ~TranslationStrategy() override = default;

protected:
    void initProperties() override;
    void onEvent(DravikEvent* event) override;

    // Whether a press on a point with this button value starts translating.
    virtual bool activateTranslation(unsigned char buttonValue);

    // The component's "BUTTON_BUFFER" byte under the global pixel; "NO_BUTTON" when the
    // component has no such grid or the pixel lies outside it.
    unsigned char getButtonValue(unsigned x, unsigned y);

    bool grabbed = false;
    bool translating = false;
    unsigned userId = 0;
    Point3d lastPosition;  // the last press or drag handled
    unsigned buttonBufferType = 0;
    unsigned char noButtonValue = 0;
    unsigned char translationAreaValue = 0;
    unsigned pressEventType = 0;
    unsigned dragEventType = 0;
    unsigned releaseEventType = 0;
    unsigned cancelEventType = 0;  // "CANCEL": another strategy took the contact
};

#endif
