#ifndef DRAVIK_PLAYER_PLAYERERROR_H
#define DRAVIK_PLAYER_PLAYERERROR_H

#include <stdexcept>
#include <string>

// Bad input to the player (an option, a script, a file): reported as one line on standard
// error, and the player exits with status 2.
class PlayerError : public std::runtime_error {
public:
    explicit PlayerError(const std::string& message) : std::runtime_error(message) {}
};

#endif
