#ifndef DRAVIK_PLAYER_SHRINKANDFADESTRATEGY_H
#define DRAVIK_PLAYER_SHRINKANDFADESTRATEGY_H

#include "lifecycle/DestructionStrategy.h"

// How the player's components leave a bin: over `seconds` they shrink to nothing and fade
// out, from the scale and alpha they had when the bin started the animation; then the bin
// is told they are ready to go. Taken back out of the bin before it acts, they come back
// whole (see DestructionStrategy). An example of a concrete destruction animation.
class ShrinkAndFadeStrategy : public DestructionStrategy {
public:
    explicit ShrinkAndFadeStrategy(double seconds = 0.5);

protected:
    void performAnimation() override;
};

#endif
