#ifndef DRAVIK_INPUT_INPUTERROR_H
#define DRAVIK_INPUT_INPUTERROR_H

#include <stdexcept>
#include <string>

#include "framework/Export.h"

// An input source that cannot start (a port already in use, a port that is not a number).
class DRAVIK_API InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& message) : std::runtime_error(message) {}
};

#endif
