#ifndef DRAVIK_CONFIG_RESIZER4BUTTONSTRATEGYPARSER_H
#define DRAVIK_CONFIG_RESIZER4BUTTONSTRATEGYPARSER_H

#include <cstdint>

#include "config/StrategyParser.h"
#include "framework/Export.h"

// "Resizer4ButtonStrategy": a Resizer4ButtonStrategy.
//   "topleft", "topright", "bottomleft", "bottomright"   read in this order (the order in
//        which random values are drawn); a value of 0 (or text that is no number) switches
//        that corner button off: corners 0, 3, 1 and 2 of Resizer4ButtonStrategy (corner 0
//        holds the grid's first columns and rows). The switch belongs to the parser: every
//        later strategy made by the same parser has that corner off too, and nothing
//        switches it back on.
//   "buttonsize"   side of the corner buttons in cells (truncated)
//   "keepAspect"   exactly "true" keeps the aspect ratio; anything else, or nothing, does not
class DRAVIK_API Resizer4ButtonStrategyParser : public StrategyParser {
public:
    Resizer4ButtonStrategyParser() = default;
    Resizer4ButtonStrategyParser(const Resizer4ButtonStrategyParser&) = default;
    Resizer4ButtonStrategyParser& operator=(const Resizer4ButtonStrategyParser&) = default;
    ~Resizer4ButtonStrategyParser() override = default;

    void parse(const XMLNode& node, VisComponent* component) override;

private:
    // Top-left, bottom-left, bottom-right, top-right: corners 0 to 3.
    std::int32_t cornerFlags[4] = {1, 1, 1, 1};
};

#endif
