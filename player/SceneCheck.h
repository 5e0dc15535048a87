#ifndef DRAVIK_PLAYER_SCENECHECK_H
#define DRAVIK_PLAYER_SCENECHECK_H

#include "player/PlayerOptions.h"

// dravik-player --check: builds the scene file of the options in an OpenGL context without a
// window (OffscreenContext), runs no frame, and gives the exit status that --strict would:
// 0 for a scene without problems, PlayerError::kSceneProblems when it had some (each already
// on standard error, one line each with file and line); throws PlayerError when the file
// cannot be read or parsed or no context can be made. No line for each texture loaded.
int checkScene(PlayerOptions options);

#endif
