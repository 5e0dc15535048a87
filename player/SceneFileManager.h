#ifndef DRAVIK_PLAYER_SCENEFILEMANAGER_H
#define DRAVIK_PLAYER_SCENEFILEMANAGER_H

#include <filesystem>
#include <string>

#include "config/XMLConfigurationManager.h"

class FrameTimer;
class XMLNode;

// The manager of a scene file given to the player. Besides the library's parsers it
// registers the player's own for strategies that make a scene playable by touch alone:
// "LazyTranslationStrategy" and "LazyRNTStrategy" (a press anywhere on the component drags
// or turns it), "TossableStrategy", and "BoundedContainer" (a free-form container, see
// config/BoundedContainerStrategyParser.h). Texture paths in the file resolve against the scene
// file's folder, as its author expects.
class SceneFileManager : public XMLConfigurationManager {
public:
    // Reads and builds the scene; an OpenGL context must be current. Throws PlayerError
    // when the file cannot be read or parsed (warnings of the reader included).
    SceneFileManager(const std::string& path, FrameTimer* timer);

protected:
    void initComponents() override;
    void registerStrategyParsers() override;

private:
    static XMLNode readScene(const std::string& path);

    std::filesystem::path folder;  // of the scene file
};

#endif
