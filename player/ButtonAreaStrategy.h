#ifndef DRAVIK_PLAYER_BUTTONAREASTRATEGY_H
#define DRAVIK_PLAYER_BUTTONAREASTRATEGY_H

#include <string>

#include "framework/IBuffer.h"
#include "framework/VisComponentStrategy.h"

// Fills the component's "BUTTON_BUFFER" with one button area (making the grid when there is
// none), and again after every resize. Pushed before strategies that write buttons of their
// own (such as corner resize buttons), it gives the rest of the component to a strategy
// that acts on that area: "RNT_AREA" for an RNTStrategy, "TRANSLATION_AREA" for a
// TranslationStrategy.
class ButtonAreaStrategy : public VisComponentStrategy {
public:
    explicit ButtonAreaStrategy(std::string area);

protected:
    void initProperties() override;
    void resize(unsigned w, unsigned h) override;

private:
    void fill(IBuffer<unsigned char>* grid);

    std::string area;
    unsigned buttonBufferType = 0;
};

#endif
