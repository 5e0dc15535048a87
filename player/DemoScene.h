#ifndef DRAVIK_PLAYER_DEMOSCENE_H
#define DRAVIK_PLAYER_DEMOSCENE_H

#include <memory>

#include "app/DefaultManager.h"

class FrameTimer;

// The scene the player shows without a scene file, laid out for a display of width x height:
// a friction table covering the display (tossed cards slide on it and stop at its rim),
// three cards to drag, two to turn or pinch (two fingers move, turn and scale them) and two
// to toss. Top-level components in the order added: drag cards top to bottom, turn cards top
// to bottom, toss cards top to bottom.
std::unique_ptr<DefaultManager> buildDemoScene(FrameTimer* timer, unsigned width, unsigned height);

#endif
