// Compiled as C++17: every public header must be usable from older toolchains.
#include "dravik/DravikStrategies.h"
