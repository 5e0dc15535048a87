#ifndef DRAVIK_PLAYER_PLAYERSTRATEGYPARSERS_H
#define DRAVIK_PLAYER_PLAYERSTRATEGYPARSERS_H

#include "config/StrategyParser.h"

// Parsers of the player's own strategies, for scene files played by the player.

// "CardDispenser": a CardDispenserStrategy; "card-width" and "card-height" (whole numbers,
// default 90 x 60) give the size of its cards, from 1 to 4096 pixels a side (other sizes are
// reported and replaced by the default). The dispenser makes no card while the scene holds
// `maxComponents` components (0: no limit).
class CardDispenserStrategyParser : public StrategyParser {
public:
    explicit CardDispenserStrategyParser(unsigned maxComponents = 0) : maxComponents(maxComponents) {}
    void parse(const XMLNode& node, VisComponent* component) override;

private:
    unsigned maxComponents;
};

// "ButtonArea": a ButtonAreaStrategy filling the button grid with the area named by "area"
// (default "RNT_AREA").
class ButtonAreaStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

// "FilledRectangle": a FilledRectangleStrategy. "fill-red" ... "fill-alpha" set the
// component's colour, "frame-red" ... "frame-alpha" the frame's (each with all four),
// "frame-width" its width (default 4), "shadow" "true" draws a shadow, "label" a text.
class FilledRectangleStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

// "FilledDisc": a FilledDiscStrategy. "fill-red" ... "fill-alpha" set the component's
// colour, "rim-red" ... "rim-alpha" the rim's, "rim-width" its width (default 4).
class FilledDiscStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
