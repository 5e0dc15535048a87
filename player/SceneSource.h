#ifndef DRAVIK_PLAYER_SCENESOURCE_H
#define DRAVIK_PLAYER_SCENESOURCE_H

#include <memory>

#include "app/DefaultManager.h"
#include "player/PlayerOptions.h"

class FrameTimer;

// The manager with the scene that the player shows: the scene file of the options, or the
// built-in demo scene when there is none. An OpenGL context must be current. Throws
// PlayerError when the scene cannot be loaded, and with options.strict when it had problems
// (each already reported on standard error).
std::unique_ptr<DefaultManager> buildScene(const PlayerOptions& options, FrameTimer* timer);

#endif
