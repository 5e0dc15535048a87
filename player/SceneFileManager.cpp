#include "player/SceneFileManager.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

#include "config/BoundedContainerStrategyParser.h"
#include "config/PlainStrategyParser.h"
#include "config/XMLNode.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TossableStrategy.h"
#include "player/PlayerError.h"

namespace {

// Makes a folder the working folder until the end of the scope.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder) : previous(std::filesystem::current_path()) {
        std::error_code error;
        std::filesystem::current_path(folder, error);
        if (error) throw PlayerError("cannot enter the scene's folder " + folder.string() + ": " + error.message());
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    ~WorkingFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
    }

private:
    std::filesystem::path previous;
};

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) out += static_cast<char>(*text);
    return out;
}

}  // namespace

SceneFileManager::SceneFileManager(const std::string& path, FrameTimer* timer)
    : XMLConfigurationManager(readScene(path), timer), folder(std::filesystem::absolute(path).parent_path()) {
    initComponents();
}

XMLNode SceneFileManager::readScene(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PlayerError("cannot open scene file " + path);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    XMLResults results{};
    XMLNode root = XMLNode::parseBuffer(bytes.data(), bytes.size(), nullptr, &results);
    // As XMLNode::openFileHelper does, a warning stops too: the scene would not be what its
    // author wrote.
    if (results.error != eXMLErrorNone)
        throw PlayerError("scene file " + path + ": " + narrow(XMLNode::getError(results.error)) + " at line " +
                          std::to_string(results.nLine) + ", column " + std::to_string(results.nColumn));
    return sceneElement(root);
}

void SceneFileManager::registerStrategyParsers() {
    XMLConfigurationManager::registerStrategyParsers();
    registerStrategyParser("BoundedContainer", std::make_unique<BoundedContainerStrategyParser>());
    registerStrategyParser("LazyRNTStrategy", std::make_unique<PlainStrategyParser<LazyRNTStrategy>>());
    registerStrategyParser("LazyTranslationStrategy", std::make_unique<PlainStrategyParser<LazyTranslationStrategy>>());
    registerStrategyParser("TossableStrategy", std::make_unique<PlainStrategyParser<TossableStrategy>>());
}

void SceneFileManager::initComponents() {
    const WorkingFolder sceneFolder(folder);
    registerStrategyParsers();
    parseXMLTree(rootNode);
}
