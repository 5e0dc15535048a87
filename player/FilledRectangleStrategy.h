#ifndef DRAVIK_PLAYER_FILLEDRECTANGLESTRATEGY_H
#define DRAVIK_PLAYER_FILLEDRECTANGLESTRATEGY_H

#include <string>
#include <vector>

#include "framework/VisComponentStrategy.h"

// The demo's look of a component: its rectangle filled in the component's colour, framed by
// a band `frameWidth` pixels wide in `frameColor` that lightens while a user holds the
// component, optionally over a soft shadow and with a label in its middle (in a stroke
// font, so that it turns with the component). The rectangle picks the component; the shadow
// does not.
class FilledRectangleStrategy : public VisComponentStrategy {
public:
    FilledRectangleStrategy(const double frameColor[4], double frameWidth, bool shadow, std::string label = "");

protected:
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;

private:
    static constexpr double kLabelHeight = 16.0;  // pixels

    void drawLabel();

    double frameColor[4];
    double frameWidth;
    bool shadow;
    std::string label;
};

#endif
