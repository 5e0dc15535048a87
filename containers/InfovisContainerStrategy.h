#ifndef DRAVIK_CONTAINERS_INFOVISCONTAINERSTRATEGY_H
#define DRAVIK_CONTAINERS_INFOVISCONTAINERSTRATEGY_H

#include <cstdint>

#include "framework/Export.h"
#include "framework/IBuffer.h"
#include "app/DisplayList.h"
#include "framework/VisComponentStrategy.h"

// Makes the component a plain, pickable container for information-visualisation views.
//
// The component's "BUTTON_BUFFER" holds "NO_BUTTON" everywhere (the strategy makes the grid
// when there is none, and refills it at every resize), so that no touch on the container's
// own area starts a manipulation. The picking pass draws the component's rectangle in its
// identifier colour, so that touches and drops find the container; the normal pass draws
// nothing. Components dropped onto it become its children.
class DRAVIK_API InfovisContainerStrategy : public VisComponentStrategy {
public:
    InfovisContainerStrategy() = default;
    // A copy has the same configuration and builds a display list of its own.
    InfovisContainerStrategy(const InfovisContainerStrategy& other);
    InfovisContainerStrategy& operator=(const InfovisContainerStrategy& other);
    ~InfovisContainerStrategy() override;

protected:
    void initProperties() override;
    void drawForPicking() override;
    void resize(unsigned w, unsigned h) override;
    bool acceptsDrops() const override { return true; }

    // Sets every cell of the grid to "NO_BUTTON".
    void fillButtonBuffer(IBuffer<unsigned char>* buffer);
    // Records the picking shape for the component's size into `displayList`: its rectangle.
    virtual void createDisplayList();

    unsigned buttonBufferType = 0;
    unsigned char noButtonValue = 0;
    DisplayList displayList;
    std::uint32_t listWidth = 0;  // component size when the shape was recorded
    std::uint32_t listHeight = 0;
    unsigned char idColor[3] = {0, 0, 0};  // the component's identifier colour

private:
    void copyFields(const InfovisContainerStrategy& other);
};

#endif
