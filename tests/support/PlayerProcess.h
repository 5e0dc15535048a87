#ifndef DRAVIK_TESTS_PLAYERPROCESS_H
#define DRAVIK_TESTS_PLAYERPROCESS_H

// Runs the dravik-player program as a user would, from a scratch folder of its own, and
// collects its exit status and what it printed. The test program defines
// DRAVIK_PLAYER_PROGRAM as the path of the player.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/GLContext.h"

struct PlayerOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// The text as one single-quoted shell word.
inline std::string shellQuoted(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// A file of the project's examples folder, as one shell word.
inline std::string example(const std::string& name) { return shellQuoted(std::string(DRAVIK_EXAMPLES_DIR) + "/" + name); }

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PlayerProcessTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("dravik-player-run-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs the player in `dir` with the given (already quoted) arguments. In sanitizer builds
    // the player's exit would report what the OpenGL driver keeps allocated unless its blocks
    // are suppressed by name (.ci/run plays a scene so); the library's own leaks are checked
    // by the unit tests.
    PlayerOutcome play(const std::string& arguments) { return run(shellQuoted(DRAVIK_PLAYER_PROGRAM) + " " + arguments); }
    // Runs the shell command in `dir`, as play runs the player.
    PlayerOutcome run(const std::string& command) {
        PlayerOutcome outcome;
        const int raw = std::system(inDir(command).c_str());
        outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        outcome.out = readFile(dir / "out");
        outcome.err = readFile(dir / "err");
        return outcome;
    }
    // Starts the player as play does, without waiting for it: its process id.
    pid_t start(const std::string& arguments) {
        const std::string line = inDir("exec " + shellQuoted(DRAVIK_PLAYER_PROGRAM) + " " + arguments);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    }

    std::filesystem::path dir;

private:
    // The shell line that runs the command in `dir`, with its output in the files out and err.
    std::string inDir(const std::string& command) const {
        return "cd " + shellQuoted(dir.string()) + " && ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:detect_leaks=0\" " + command +
               " >out 2>err";
    }
};

#endif
