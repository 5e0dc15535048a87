#ifndef DRAVIK_CONFIG_XMLCONFIGURATIONMANAGER_H
#define DRAVIK_CONFIG_XMLCONFIGURATIONMANAGER_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/DefaultManager.h"
#include "config/XMLNode.h"

class FrameTimer;
class StrategyParser;
class TextureManager;
class VisComponent;

// A manager that builds its scene from a scene file's element tree: textures, components
// with position, size, angle and leaf flag, and the strategies on them, each made by the
// parser registered under the name of its "Strategy" element.
//
// The class is abstract: an application derives from it and, in initComponents(), calls
// registerStrategyParsers() and then parseXMLTree(rootNode). Construct it while the OpenGL
// context is current (it creates the texture manager).
//
// Problems in the file are written to standard output and skipped; building never stops
// early. A scene file is outside input, so what it may ask for is bounded: a "Textures"
// series has at most maxTextureSeries files, and the scene at most defaultMaxComponents
// components covering at most defaultMaxArea pixels together (the grids of strategies grow
// with the area); a component beyond these limits is skipped with a message.
class XMLConfigurationManager : public DefaultManager {
public:
    static constexpr int maxTextureSeries = 9999;  // the four-digit indices
    static constexpr unsigned defaultMaxComponents = 100000;
    static constexpr std::uint64_t defaultMaxArea = std::uint64_t(1) << 26;  // 32 full-HD displays

    XMLConfigurationManager(const XMLNode& root, FrameTimer* timer);
    // The parsers and the texture manager are owned; a copy could not own them too.
    XMLConfigurationManager(const XMLConfigurationManager&) = delete;
    XMLConfigurationManager& operator=(const XMLConfigurationManager&) = delete;
    // Deletes the texture manager (the textures stay in OpenGL) and the parsers.
    ~XMLConfigurationManager() override;

    TextureManager* getTextureManager() const { return textureManager.get(); }

protected:
    void initComponents() override = 0;

    // Builds what the element describes, then visits its "Component" children and after
    // them its "Components" children, each in document order, through this virtual
    // operation, so that an override sees every nested element. Nested elements are visited
    // from a work list once the call for their parent has returned, so that files nested
    // arbitrarily deep cannot exhaust the stack.
    virtual void parseXMLTree(const XMLNode& element);
    // Puts one parser object under each registered strategy name. A host's override may
    // add parsers of its own with registerStrategyParser.
    virtual void registerStrategyParsers();
    // Puts the parser under the name, replacing the parser registered there before.
    void registerStrategyParser(const std::string& name, std::unique_ptr<StrategyParser> parser);

    void parseTextures(const XMLNode& element);
    void parseTexture(const XMLNode& element);
    void parseComponent(const XMLNode& element, VisComponent* component);
    void parseStrategies(const XMLNode& element, VisComponent* component);

    // The element to build from a parsed scene file: the parse result itself or, when the file
    // begins with a declaration such as <?xml ... ?> (which the reader makes the parent of
    // everything after it), the first element inside the declaration.
    static XMLNode sceneElement(const XMLNode& parsed);

    // Limits for the components still to be built (for hosts with less memory to spare).
    void setSceneLimits(unsigned components, std::uint64_t area);

    XMLNode rootNode;

private:
    void buildComponents(const XMLNode& element);
    // A component configured from the element with its strategies, or null (after a
    // message) when it does not fit into the scene's limits.
    std::unique_ptr<VisComponent> createComponent(const XMLNode& element);
    void queueNestedElements(const XMLNode& element);
    void shareTextureManager();

    std::unique_ptr<TextureManager> textureManager;
    std::map<std::string, std::unique_ptr<StrategyParser>> strategyParsers;
    unsigned maxComponents = defaultMaxComponents;
    std::uint64_t maxArea = defaultMaxArea;
    unsigned componentCount = 0;  // built so far, the root included
    std::uint64_t usedArea = 0;
    std::vector<XMLNode> pendingElements;  // nested elements still to visit, next at the back
    bool visiting = false;                 // an outermost parseXMLTree call is running
};

#endif
