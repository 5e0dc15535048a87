#ifndef DRAVIK_PLAYER_SCENEFILEMANAGER_H
#define DRAVIK_PLAYER_SCENEFILEMANAGER_H

#include <filesystem>
#include <string>
#include <vector>

#include "config/XMLConfigurationManager.h"
#include "player/PlayerOptions.h"

class FrameTimer;
class XMLNode;

// The manager of a scene file given to the player. Besides the library's parsers it
// registers the player's own for strategies that make a scene playable by touch alone:
// "LazyTranslationStrategy" and "LazyRNTStrategy" (a press anywhere on the component drags
// or turns it), "LazyTranslationAndRNTStrategy", "TossableStrategy" and
// "CircularInfovisContainerStrategy"; "BoundedContainer" (a free-form container, see
// config/BoundedContainerStrategyParser.h); for drawing strategies the configuration does not name
// (see AppearanceParsers.h); and for the player's examples of application strategies
// (PlayerStrategyParsers.h): "CardDispenser", "ButtonArea", "FilledRectangle" and
// "FilledDisc". Texture paths in the file resolve against the scene file's folder, as its
// author expects.
//
// The scene is built from the file's "RootComponent" wherever parsing with that tag finds it
// (past comments, down through declarations), or from its first element without a table.
// Every problem, the scene format's messages and the diagnostics alike, goes to standard
// error as one line "FILE:LINE: <Element>: message" (the line and the element where known)
// and is counted.
class SceneFileManager : public XMLConfigurationManager {
public:
    // Reads and builds the scene of options.scenePath with the options' limits; an OpenGL
    // context must be current. Throws PlayerError when the file cannot be read or parsed
    // (warnings of the reader included).
    SceneFileManager(const PlayerOptions& options, FrameTimer* timer);

    unsigned getProblemCount() const { return static_cast<unsigned>(problems.size()); }
    // Each problem as the line written on standard error, in the order found.
    const std::vector<std::string>& getProblems() const { return problems; }
    // The scene file and every texture file it asked for, loaded or not.
    std::vector<std::filesystem::path> getFiles() const;

protected:
    void initComponents() override;
    void registerStrategyParsers() override;
    void reportProblem(const XMLNode& element, const std::string& message) override;
    void reportDiagnostic(const XMLNode& element, const std::string& message) override;

private:
    static XMLNode readScene(const std::string& path);

    std::string path;              // as given
    std::filesystem::path folder;  // of the scene file
    std::vector<std::string> problems;
};

#endif
