#ifndef DRAVIK_PLAYER_CARDDISPENSERSTRATEGY_H
#define DRAVIK_PLAYER_CARDDISPENSERSTRATEGY_H

#include "lifecycle/CreatorStrategy.h"

// A dispenser of cards: each press on it makes a numbered card of `cardWidth` x
// `cardHeight` under the finger, which the finger then drags away. Cards take the colours
// of a small palette in turn and shrink and fade when dropped into a bin. An example of an
// application's item factory.
//
// While its scene holds `maxComponents` components (the root aside; 0: no limit), a press
// makes nothing, so that a flood of presses cannot fill memory; the first refused press
// says so on standard error.
class CardDispenserStrategy : public CreatorStrategy {
public:
    CardDispenserStrategy(unsigned cardWidth, unsigned cardHeight, unsigned maxComponents = 0);

    unsigned getCardsMade() const { return cardsMade; }

protected:
    VisComponent* createComponent(unsigned x, unsigned y, std::uint32_t applicationValue) override;

private:
    unsigned cardWidth;
    unsigned cardHeight;
    unsigned cardsMade = 0;
    unsigned maxComponents;
    bool refused = false;  // a press was refused already
};

#endif
