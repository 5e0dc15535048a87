#ifndef DRAVIK_WALL_WALLFILE_H
#define DRAVIK_WALL_WALLFILE_H

#include <istream>
#include <string>

#include "wall/WallLayout.h"

// A wall described in a small text file, one setting a line, `#` starting a comment:
//
//   wall 4x2              columns x rows of tiles (required)
//   tile 1920x1080        pixels of each tile (required)
//   mullion 40 30         bezel pixels between columns and between rows (one value: both;
//                         default 0)
//   rank 0 draws 0 1      tiles of a rank, numbered row by row from the top left; either
//   rank 1 draws 2 3      every tile is named once or there are no such lines (tiles then
//                         shared out evenly)
//   operator-view 480     rank 0 also shows the whole wall this many pixels wide
//   timeout 10            seconds a rank waits for the others in a frame (default 10)
//
// Throws PlayerError naming the file and line of the first problem.
WallLayout readWallFile(const std::string& path);
WallLayout parseWallFile(std::istream& in, const std::string& name);

#endif
