#ifndef DRAVIK_WALL_WALLSCREENSHOT_H
#define DRAVIK_WALL_WALLSCREENSHOT_H

#include <vector>

#include "wall/WallLayout.h"

// The whole wall as one image from the windows of its `ranks` ranks, which `windows` holds one
// after the other in rank order (RGB, bottom row first, each as WallViews lays it out): every
// tile at its place on the display, the mullions black. `wall` gets displayWidth x
// displayHeight RGB pixels, bottom row first. Throws std::invalid_argument when `windows`
// holds fewer pixels than the windows do.
void stitchWall(const WallLayout& layout, unsigned ranks, const std::vector<unsigned char>& windows,
                std::vector<unsigned char>& wall);

#endif
