#ifndef DRAVIK_PLAYER_FILLEDDISCSTRATEGY_H
#define DRAVIK_PLAYER_FILLEDDISCSTRATEGY_H

#include <vector>

#include "framework/VisComponentStrategy.h"

// A round look: the largest disc centred in the component, in the component's colour, with
// a rim `rimWidth` pixels wide in `rimColor`. The disc is also its picking shape.
class FilledDiscStrategy : public VisComponentStrategy {
public:
    FilledDiscStrategy(const double rimColor[4], double rimWidth);

protected:
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;

private:
    double rimColor[4];
    double rimWidth;
};

#endif
