#ifndef DRAVIK_CONFIG_SCENELIMITS_H
#define DRAVIK_CONFIG_SCENELIMITS_H

#include <cstdint>

#include "framework/Export.h"

// What a scene file may ask XMLConfigurationManager to build; 0 lifts a limit. A component
// or texture series beyond a limit is skipped with a message that names the limit.
struct DRAVIK_API SceneLimits {
    // Pixels of one component: 16384 x 16384, the largest display a driver shows. The grids
    // of a component's strategies grow with its area.
    std::uint64_t maxComponentPixels = std::uint64_t(1) << 28;
    // Components of the scene, its root aside: a frame of 2000 small components with a
    // strategy or two takes about 75 ms of a 2-core machine's time under llvmpipe.
    unsigned maxComponents = 2000;
    // Pixels of all components together.
    std::uint64_t maxScenePixels = 0;
    // Files of one "Textures" series: the four-digit indices.
    unsigned maxTextureSeries = 9999;
};

#endif
