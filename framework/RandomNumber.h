#ifndef DRAVIK_FRAMEWORK_RANDOMNUMBER_H
#define DRAVIK_FRAMEWORK_RANDOMNUMBER_H

#include <cstdlib>

// The one source of random numbers of the library: the C runtime's rand(), reduced to
// 0 ... 32767 whatever RAND_MAX the platform has, so that formulas dividing by 32767.0 stay
// within their bounds. The library never seeds it; applications and tests may call srand().
inline int randomInt32767() { return std::rand() % 32768; }

#endif
