#ifndef DRAVIK_PLAYER_PLAYERERROR_H
#define DRAVIK_PLAYER_PLAYERERROR_H

#include <stdexcept>
#include <string>

// A reason for the player to stop: reported as one line on standard error, and the player
// exits with the error's status: 2 for bad input (an option, a script, a file), 1 for a scene
// that had problems under --strict.
class PlayerError : public std::runtime_error {
public:
    static constexpr int kBadInput = 2;
    static constexpr int kSceneProblems = 1;

    explicit PlayerError(const std::string& message, int status = kBadInput)
        : std::runtime_error(message), exitStatus(status) {}

    int status() const { return exitStatus; }

private:
    int exitStatus;
};

#endif
