#ifndef DRAVIK_CONFIG_XMLCONFIGURATIONMANAGER_H
#define DRAVIK_CONFIG_XMLCONFIGURATIONMANAGER_H

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "app/DefaultManager.h"
#include "config/SceneLimits.h"
#include "config/XMLNode.h"
#include "framework/Export.h"

class FrameTimer;
class StrategyParser;
class TextureManager;
class VisComponent;

// A manager that builds its scene from a scene file's element tree: textures, components
// with position, size, angle and leaf flag, and the strategies on them, each made by the
// parser registered under the name of its "Strategy" element.
//
// The class is abstract: an application derives from it and, in initComponents(), calls
// registerStrategyParsers() and then parseXMLTree(rootNode) (or parseDocument with a tree
// parsed without a tag). Construct it while the OpenGL context is current (it creates the
// texture manager).
//
// Problems in the file are reported one line each and skipped; building never stops early.
// They take two channels:
// - reportProblem: the scene format's own messages, written on standard output with their
//   exact texts: "Missing number of Components!", "Missing <Texture> attribute - ...",
//   "There is no registered parser for NAME strategy!" and the texture manager's messages.
// - reportDiagnostic: everything else the configuration and the parsers notice, silent
//   unless a host overrides it. This is the one channel for such diagnostics; a parser
//   reaches it through StrategyParser::reportDiagnostic. They are: a size, position or
//   number that is not a number, a negative size, a negative number of "Components", an
//   element whose name differs from "RootComponent", "Component" or "Components" only in
//   case (it builds nothing), an "Image" whose texture is none of the loaded ones, a
//   component or texture series beyond the scene's limits (SceneLimits), where the scene's
//   element was found, and each parser's warnings about attribute values.
class DRAVIK_API XMLConfigurationManager : public DefaultManager {
public:
    XMLConfigurationManager(const XMLNode& root, FrameTimer* timer);
    // The parsers and the texture manager are owned; a copy could not own them too.
    XMLConfigurationManager(const XMLConfigurationManager&) = delete;
    XMLConfigurationManager& operator=(const XMLConfigurationManager&) = delete;
    // Deletes the texture manager (the textures stay in OpenGL) and the parsers.
    ~XMLConfigurationManager() override;

    TextureManager* getTextureManager() const { return textureManager.get(); }

    // Limits for what is still to be built.
    void setSceneLimits(const SceneLimits& sceneLimits) { limits = sceneLimits; }
    const SceneLimits& getSceneLimits() const { return limits; }

protected:
    void initComponents() override = 0;

    // Builds what the element describes, then visits its "Component" children and after
    // them its "Components" children, each in document order, by calling itself through
    // this virtual operation: an override that calls this one finds the element's whole
    // subtree built when it returns. Files nested deeper than the thread's stack could take
    // are visited on a stack of their own, in the same way.
    virtual void parseXMLTree(const XMLNode& element);
    // Puts one parser object under each registered strategy name. A host's override may
    // add parsers of its own with registerStrategyParser.
    virtual void registerStrategyParsers();
    // Puts the parser under the name, replacing the parser registered there before; the
    // parser's diagnostics reach reportDiagnostic.
    void registerStrategyParser(const std::string& name, std::unique_ptr<StrategyParser> parser);

    // A message of the scene format: the element it concerns (the empty node when none)
    // and one line of text without its end. This one writes the line on standard output.
    virtual void reportProblem(const XMLNode& element, const std::string& message);
    // Any other problem, in the same form. This one does nothing.
    virtual void reportDiagnostic(const XMLNode& element, const std::string& message);

    // Builds the scene of a document parsed without a tag: from its "RootComponent", found as
    // parsing with that tag finds it (past comments, down through declarations), or else
    // from its first element, without a table (reported). Elements beside the one built, at
    // the top of the document, are reported as ignored.
    void parseDocument(const XMLNode& document);

    void parseTextures(const XMLNode& element);
    void parseTexture(const XMLNode& element);
    void parseComponent(const XMLNode& element, VisComponent* component);
    void parseStrategies(const XMLNode& element, VisComponent* component);

    XMLNode rootNode;

private:
    void visit(const XMLNode& element);
    void buildComponents(const XMLNode& element);
    // A component configured from the element with its strategies, or null (after a
    // message) when the element asks for one that must not be built.
    std::unique_ptr<VisComponent> createComponent(const XMLNode& element);
    // The message that refuses a component of this size from this element, or "".
    std::string refusal(const XMLNode& element, const VisComponent& component) const;
    bool sceneIsFull() const;
    // Reports the first refusal of a full scene (`asked` copies of a "Components" element,
    // of which `skipped` are refused, or a "Component" when `asked` is 0); later ones are
    // counted for one line at the end.
    void refuseBeyondLimit(const XMLNode& element, unsigned long long asked, unsigned long long skipped);
    // Reports each of the attributes that is present but holds no number.
    void checkNumbers(const XMLNode& element, std::initializer_list<const wchar_t*> attributes);
    void checkImageTexture(const XMLNode& strategyElement, const VisComponent& component);
    void shareTextureManager();

    std::unique_ptr<TextureManager> textureManager;
    std::map<std::string, std::unique_ptr<StrategyParser>> strategyParsers;
    SceneLimits limits;
    unsigned componentCount = 0;  // built so far, the root excluded
    bool fullSceneReported = false;
    unsigned long long quietlySkipped = 0;  // components refused after the first refusal
    std::uint64_t scenePixels = 0;
    unsigned visitDepth = 0;       // parseXMLTree calls under way
    XMLNode texturesElement;       // whose textures are loading, for the texture manager's messages
};

#endif
