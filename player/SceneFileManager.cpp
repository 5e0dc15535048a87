#include "player/SceneFileManager.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <system_error>

#include "appearance/FramebufferObjectEndStrategy.h"
#include "appearance/GradientRoundBorderStrategy.h"
#include "appearance/RoundBorderStrategy.h"
#include "appearance/TextureManager.h"
#include "config/BoundedContainerStrategyParser.h"
#include "config/PlainStrategyParser.h"
#include "config/XMLNode.h"
#include "containers/CircularInfovisContainerStrategy.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/LazyTranslationAndRNTStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TossableStrategy.h"
#include "player/AppearanceParsers.h"
#include "player/PlayerError.h"
#include "player/MultiTouchTransformStrategyParser.h"
#include "player/PlayerStrategyParsers.h"

namespace {

namespace fs = std::filesystem;

// Makes a folder the working folder until the end of the scope.
class WorkingFolder {
public:
    explicit WorkingFolder(const fs::path& folder) : previous(fs::current_path()) {
        std::error_code error;
        fs::current_path(folder, error);
        if (error) throw PlayerError("cannot enter the scene's folder " + folder.string() + ": " + error.message());
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    ~WorkingFolder() {
        std::error_code ignored;
        fs::current_path(previous, ignored);
    }

private:
    fs::path previous;
};

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) out += static_cast<char>(*text);
    return out;
}

// The bytes of a regular file. A folder, a pipe or a device is refused before it is opened:
// reading one would fail midway or wait for ever.
std::string readRegularFile(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) throw PlayerError("cannot open scene file " + path);
    if (fs::is_directory(status)) throw PlayerError("scene file " + path + " is a folder");
    if (!fs::is_regular_file(status)) throw PlayerError("scene file " + path + " is not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw PlayerError("cannot open scene file " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw PlayerError("cannot read scene file " + path);
    return bytes;
}

// " at line L, column C" for a position the reader gave; nothing when it gave none.
std::string position(int line, int column) {
    if (line <= 0) return "";
    return " at line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

SceneFileManager::SceneFileManager(const PlayerOptions& options, FrameTimer* timer)
    : XMLConfigurationManager(readScene(options.scenePath), timer),
      path(options.scenePath),
      folder(fs::absolute(options.scenePath).parent_path()) {
    setSceneLimits(options.sceneLimits);
    getTextureManager()->setMaxImageBytes(options.maxImageBytes);
    getTextureManager()->setReportLoads(!options.quiet);
    initComponents();
}

XMLNode SceneFileManager::readScene(const std::string& path) {
    const std::string bytes = readRegularFile(path);
    XMLResults results{};
    XMLNode document = XMLNode::parseBuffer(bytes.data(), bytes.size(), nullptr, &results);
    // As XMLNode::openFileHelper does, a warning stops too: the scene would not be what its
    // author wrote.
    if (results.error == eXMLErrorNone) return document;
    int line = 0, column = 0;
    if (XMLNode::findZeroCharacter(bytes.data(), bytes.size(), line, column))
        throw PlayerError("scene file " + path + ": a zero byte" + position(line, column) + " ends its text");
    throw PlayerError("scene file " + path + ": " + narrow(XMLNode::getError(results.error)) +
                      position(results.nLine, results.nColumn));
}

void SceneFileManager::registerStrategyParsers() {
    XMLConfigurationManager::registerStrategyParsers();
    registerStrategyParser("BoundedContainer", std::make_unique<BoundedContainerStrategyParser>());
    registerStrategyParser("LazyRNTStrategy", std::make_unique<PlainStrategyParser<LazyRNTStrategy>>());
    registerStrategyParser("LazyTranslationStrategy", std::make_unique<PlainStrategyParser<LazyTranslationStrategy>>());
    registerStrategyParser("TossableStrategy", std::make_unique<PlainStrategyParser<TossableStrategy>>());
    registerStrategyParser("LazyTranslationAndRNTStrategy",
                           std::make_unique<PlainStrategyParser<LazyTranslationAndRNTStrategy>>());
    registerStrategyParser("CircularInfovisContainerStrategy",
                           std::make_unique<PlainStrategyParser<CircularInfovisContainerStrategy>>());
    registerStrategyParser("CardDispenser", std::make_unique<CardDispenserStrategyParser>(getSceneLimits().maxComponents));
    registerStrategyParser("ButtonArea", std::make_unique<ButtonAreaStrategyParser>());
    registerStrategyParser("FilledRectangle", std::make_unique<FilledRectangleStrategyParser>());
    registerStrategyParser("FilledDisc", std::make_unique<FilledDiscStrategyParser>());
    registerStrategyParser("RoundBorder", std::make_unique<RoundBorderParser<RoundBorderStrategy>>("RoundBorder"));
    registerStrategyParser("GradientRoundBorder",
                           std::make_unique<RoundBorderParser<GradientRoundBorderStrategy>>("GradientRoundBorder"));
    registerStrategyParser("GradientCircle", std::make_unique<GradientCircleParser>());
    registerStrategyParser("FramebufferObjectBegin", std::make_unique<FramebufferObjectBeginParser>());
    registerStrategyParser("FramebufferObjectEnd", std::make_unique<PlainStrategyParser<FramebufferObjectEndStrategy>>());
    registerStrategyParser("MultiTouchTransformStrategy", std::make_unique<MultiTouchTransformStrategyParser>());
}

void SceneFileManager::initComponents() {
    const WorkingFolder sceneFolder(folder);
    registerStrategyParsers();
    parseDocument(rootNode);
}

void SceneFileManager::reportDiagnostic(const XMLNode& element, const std::string& message) {
    reportProblem(element, message);
}

void SceneFileManager::reportProblem(const XMLNode& element, const std::string& message) {
    std::string line = path;
    if (element.getLine() > 0) line += ':' + std::to_string(element.getLine());
    line += ": ";
    if (element.getName() != nullptr) line += '<' + narrow(element.getName()) + ">: ";
    line += message;
    std::cerr << line << '\n';
    problems.push_back(std::move(line));
}

std::vector<fs::path> SceneFileManager::getFiles() const {
    std::vector<fs::path> files{fs::absolute(path)};
    for (const std::string& texture : getTextureManager()->getRequestedFiles())
        if (!texture.empty()) files.push_back(folder / texture);  // an absolute path stays as it is
    return files;
}
