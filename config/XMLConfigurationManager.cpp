#include "config/XMLConfigurationManager.h"

#include <GL/gl.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <utility>
#include <vector>

#include "app/VisComponentGL.h"
#include "appearance/ImageStrategy.h"
#include "appearance/TextureManager.h"
#include "config/BorderStrategyParser.h"
#include "config/CurrentBeltContainerStrategyParser.h"
#include "config/CurrentObserverStrategyParser.h"
#include "config/DestroyerStrategyParser.h"
#include "config/FrictionSurfaceStrategyParser.h"
#include "config/GradientBorderStrategyParser.h"
#include "config/ImageStrategyParser.h"
#include "config/InfovisContainerStrategyParser.h"
#include "config/RNTStrategyParser.h"
#include "config/Resizer4ButtonStrategyParser.h"
#include "config/ResizerHandleStrategyParser.h"
#include "config/TranslationStrategyParser.h"
#include "config/detail/LargeStack.h"
#include "config/detail/XMLEncoding.h"
#include "config/detail/XMLNodeData.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Nesting that every thread's stack takes; deeper files are visited on a stack of their own
// with room for kStackPerLevel bytes per level (a host's override included).
constexpr unsigned kStackFriendlyDepth = 256;
constexpr std::size_t kStackPerLevel = 16384;

// Attribute text for paths, names and messages; null gives the empty string.
std::string narrow(const wchar_t* text) { return text != nullptr ? detail::toUTF8(text) : std::string(); }

// The leading decimal integer of the text; 0 when there is none. Read as 64 bits, so that a
// number beyond the range of int is reported as written (beyond 64 bits, the nearest end).
long long extractInteger(const wchar_t* text) {
    std::wistringstream stream(text);
    long long value = 0;
    stream >> std::dec >> value;
    return value;
}

// "source" followed by the four-digit index (more digits from 10000 on) and ".png".
std::string seriesFileName(const std::string& source, long long index) {
    std::string digits = std::to_string(index);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return source + digits + ".png";
}

bool isVisitedChild(const XMLNode& child) {
    return detail::namesEqual(child.getName(), L"Component") || detail::namesEqual(child.getName(), L"Components");
}

// How deep parseXMLTree's calls nest for the element: 1 for an element without visited
// children. Counted without recursion.
unsigned visitingDepth(const XMLNode& element) {
    unsigned deepest = 0;
    std::vector<std::pair<XMLNode, unsigned>> pending{{element, 1}};
    while (!pending.empty()) {
        auto [node, depth] = std::move(pending.back());
        pending.pop_back();
        deepest = std::max(deepest, depth);
        for (int i = 0, n = node.nChildNode(); i < n; ++i)
            if (XMLNode child = node.getChildNode(i); isVisitedChild(child)) pending.emplace_back(std::move(child), depth + 1);
    }
    return deepest;
}

// The area a component's grids take: a component one pixel thin still has a row or column
// of cells along its length.
std::uint64_t gridArea(const VisComponent& component) {
    return std::uint64_t(std::max(component.width, 1u)) * std::max(component.height, 1u);
}

}  // namespace

XMLConfigurationManager::XMLConfigurationManager(const XMLNode& root, FrameTimer* timer)
    : DefaultManager(timer), rootNode(root), textureManager(std::make_unique<TextureManager>()) {
    textureManager->setProblemHandler([this](const std::string& line) { reportProblem(texturesElement, line); });
}

XMLConfigurationManager::~XMLConfigurationManager() = default;

void XMLConfigurationManager::registerStrategyParsers() {
    // The registered names, in their order.
    registerStrategyParser("Border", std::make_unique<BorderStrategyParser>());
    registerStrategyParser("CurrentBeltContainer", std::make_unique<CurrentBeltContainerStrategyParser>());
    registerStrategyParser("CurrentObserver", std::make_unique<CurrentObserverStrategyParser>());
    registerStrategyParser("DestroyerStrategy", std::make_unique<DestroyerStrategyParser>());
    registerStrategyParser("FrictionSurface", std::make_unique<FrictionSurfaceStrategyParser>());
    registerStrategyParser("GradientBorder", std::make_unique<GradientBorderStrategyParser>());
    registerStrategyParser("Image", std::make_unique<ImageStrategyParser>());
    registerStrategyParser("InfovisContainerStrategy", std::make_unique<InfovisContainerStrategyParser>());
    registerStrategyParser("ResizerHandle", std::make_unique<ResizerHandleStrategyParser>());
    registerStrategyParser("Resizer4ButtonStrategy", std::make_unique<Resizer4ButtonStrategyParser>());
    registerStrategyParser("RNTStrategy", std::make_unique<RNTStrategyParser>());
    registerStrategyParser("ResizerHandleStrategy", std::make_unique<ResizerHandleStrategyParser>());
    registerStrategyParser("TranslationStrategy", std::make_unique<TranslationStrategyParser>());
}

void XMLConfigurationManager::registerStrategyParser(const std::string& name, std::unique_ptr<StrategyParser> parser) {
    parser->setDiagnosticHandler([this](const XMLNode& element, const std::string& message) {
        reportDiagnostic(element, message);
    });
    strategyParsers[name] = std::move(parser);
}

void XMLConfigurationManager::reportProblem(const XMLNode&, const std::string& message) {
    std::cout << message << std::endl;
}

void XMLConfigurationManager::reportDiagnostic(const XMLNode&, const std::string&) {}

void XMLConfigurationManager::parseXMLTree(const XMLNode& element) {
    if (visitDepth != 0) {
        visit(element);
        return;
    }
    const unsigned depth = visitingDepth(element);
    if (depth > kStackFriendlyDepth) detail::runOnLargeStack(depth * kStackPerLevel, [&] { visit(element); });
    else visit(element);
    // Beyond the first, refusals of a full scene are summed up in one line.
    if (quietlySkipped != 0)
        reportDiagnostic(element, std::to_string(quietlySkipped) + " more components skipped: a scene holds at most " +
                                      std::to_string(limits.maxComponents) + " components!");
    quietlySkipped = 0;
}

void XMLConfigurationManager::refuseBeyondLimit(const XMLNode& element, unsigned long long asked,
                                                unsigned long long skipped) {
    if (fullSceneReported) {
        quietlySkipped += skipped;
        return;
    }
    fullSceneReported = true;
    const std::string limit = " a scene holds at most " + std::to_string(limits.maxComponents) + " components!";
    if (asked == 0) reportDiagnostic(element, "Component skipped:" + limit);
    else reportDiagnostic(element, std::to_string(skipped) + " of " + std::to_string(asked) + " Components skipped:" + limit);
}

void XMLConfigurationManager::visit(const XMLNode& element) {
    struct Level {
        unsigned& depth;
        explicit Level(unsigned& d) : depth(d) { ++depth; }
        ~Level() { --depth; }
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;
    } level(visitDepth);

    const int children = element.nChildNode();
    for (int i = 0; i < children; ++i) {
        const XMLNode child = element.getChildNode(i);
        if (detail::namesEqual(child.getName(), L"Textures")) parseTextures(child);
    }
    for (int i = 0; i < children; ++i) {
        const XMLNode child = element.getChildNode(i);
        if (detail::namesEqual(child.getName(), L"Texture")) parseTexture(child);
    }
    buildComponents(element);
    for (const wchar_t* name : {L"Component", L"Components"}) {
        for (int i = 0; i < children; ++i) {
            const XMLNode child = element.getChildNode(i);
            if (detail::namesEqual(child.getName(), name)) parseXMLTree(child);
        }
    }
}

void XMLConfigurationManager::parseDocument(const XMLNode& document) {
    XMLNode scene = document.findTag(L"RootComponent");
    if (scene.isEmpty()) {
        // The first element that is no declaration, looking into the first declaration.
        for (XMLNode scope = document; scene.isEmpty() && !scope.isEmpty();) {
            if (!scope.isDeclaration() && scope.getName() != nullptr) {
                scene = scope;
                break;
            }
            XMLNode declaration;
            for (int i = 0; i < scope.nChildNode() && scene.isEmpty(); ++i) {
                const XMLNode child = scope.getChildNode(i);
                if (!child.isDeclaration())
                    scene = child;
                else if (declaration.isEmpty())
                    declaration = child;
            }
            scope = declaration;
        }
        if (scene.isEmpty()) {
            reportDiagnostic(XMLNode(), "No element to build a scene from!");
            return;
        }
        reportDiagnostic(scene, "No RootComponent element: the components of <" + narrow(scene.getName()) +
                                 "> are built without a table!");
    }
    // What lies beside the scene's element, or beside what encloses it, is never visited.
    XMLNode inner = scene;
    for (XMLNode above = scene.getParentNode(); !above.isEmpty(); inner = above, above = above.getParentNode()) {
        for (int i = 0; i < above.nChildNode(); ++i) {
            const XMLNode beside = above.getChildNode(i);
            if (beside != inner && !beside.isDeclaration())
                reportDiagnostic(beside, "Element <" + narrow(beside.getName()) + "> beside the scene's <" +
                                          narrow(scene.getName()) + "> is ignored!");
        }
    }
    parseXMLTree(scene);
}

void XMLConfigurationManager::buildComponents(const XMLNode& element) {
    const std::wstring name = element.getName() != nullptr ? element.getName() : L"";
    for (const wchar_t* builder : {L"RootComponent", L"Component", L"Components"})
        if (name != builder && detail::namesEqual(name.c_str(), builder))
            reportDiagnostic(element, "Element <" + narrow(name.c_str()) + "> builds nothing: only <" + narrow(builder) +
                                          "> does, written exactly so!");
    if (name == L"RootComponent") {
        if (std::unique_ptr<VisComponent> root = createComponent(element)) {
            VisComponent* adopted = root.release();
            setRootComponent(adopted);
            if (adopted->strategy != nullptr) adopted->initPropertiesComponent();
        }
    } else if (name == L"Component") {
        if (sceneIsFull()) {
            refuseBeyondLimit(element, 0, 1);
        } else if (std::unique_ptr<VisComponent> component = createComponent(element)) {
            addComponent(component.release());
            ++componentCount;
        }
    } else if (name == L"Components") {
        const wchar_t* number = element.getAttribute(L"number");
        if (number == nullptr) {
            reportProblem(element, "Missing number of Components!");
            return;
        }
        checkNumbers(element, {L"number", L"posX", L"posY", L"posZ", L"width", L"height", L"angle"});
        const long long count = extractInteger(number);
        if (count < 0) reportDiagnostic(element, "Components number " + std::to_string(count) + " builds no component!");
        for (long long i = 0; i < count; ++i) {
            if (sceneIsFull()) {
                refuseBeyondLimit(element, count, count - i);
                break;
            }
            std::unique_ptr<VisComponent> component = createComponent(element);
            if (component == nullptr) continue;  // random sizes may let a later copy fit
            addComponent(component.release());
            ++componentCount;
        }
    }
}

bool XMLConfigurationManager::sceneIsFull() const {
    return limits.maxComponents != 0 && componentCount >= limits.maxComponents;
}

std::unique_ptr<VisComponent> XMLConfigurationManager::createComponent(const XMLNode& element) {
    auto component = std::make_unique<VisComponentGL>();
    parseComponent(element, component.get());
    if (const std::string why = refusal(element, *component); !why.empty()) {
        reportDiagnostic(element, why);
        return nullptr;
    }
    scenePixels += gridArea(*component);
    parseStrategies(element, component.get());
    return component;
}

std::string XMLConfigurationManager::refusal(const XMLNode& element, const VisComponent& component) const {
    // A negative size would wrap around to more than four billion pixels. (A random value is
    // never negative, and reading one would draw a number from rand().)
    for (const wchar_t* side : {L"width", L"height"}) {
        const wchar_t* text = element.getAttribute(side);
        if (text != nullptr && *text != L'?' && StrategyParser::obtainDoubleValue(text) <= -1.0)
            return "Component skipped: its " + narrow(side) + " " + narrow(text) + " is negative!";
    }
    const std::string size = "Component of " + std::to_string(component.width) + " x " + std::to_string(component.height);
    const std::uint64_t area = gridArea(component);
    if (limits.maxComponentPixels != 0 && area > limits.maxComponentPixels)
        return size + " skipped: larger than " + std::to_string(limits.maxComponentPixels) + " pixels!";
    const std::uint64_t scene = limits.maxScenePixels;
    if (scene != 0 && area > scene - std::min(scenePixels, scene))
        return size + " skipped: the scene's components would cover more than " + std::to_string(scene) +
               " pixels together!";
    return "";
}

void XMLConfigurationManager::checkNumbers(const XMLNode& element, std::initializer_list<const wchar_t*> attributes) {
    for (const wchar_t* attribute : attributes) {
        const wchar_t* text = element.getAttribute(attribute);
        // Sizes and numbers are read as plain whole numbers: for them "?" is no number.
        const bool whole = std::wstring(attribute) == L"width" || std::wstring(attribute) == L"height" ||
                           std::wstring(attribute) == L"number";
        if (text != nullptr && (!StrategyParser::isNumber(text) || (whole && *text == L'?')))
            reportDiagnostic(element, "Attribute " + narrow(attribute) + "=\"" + narrow(text) + "\" is not a number: 0 is used!");
    }
}

void XMLConfigurationManager::parseComponent(const XMLNode& element, VisComponent* component) {
    const double x = StrategyParser::obtainDoubleValue(element.getAttribute(L"posX"));
    const double y = StrategyParser::obtainDoubleValue(element.getAttribute(L"posY"));
    const double z = StrategyParser::obtainFloatValue(element.getAttribute(L"posZ"));
    component->position = Point3d(x, y, z);
    if (const wchar_t* width = element.getAttribute(L"width"))
        component->width = StrategyParser::obtainUnsignedIntValue(width);
    if (const wchar_t* height = element.getAttribute(L"height"))
        component->height = StrategyParser::obtainUnsignedIntValue(height);
    if (const wchar_t* angle = element.getAttribute(L"angle"))
        component->angle = StrategyParser::obtainDoubleValue(angle) * kRadiansPerDegree;
    const wchar_t* leaf = element.getAttribute(L"leaf");
    if (leaf != nullptr && std::wstring(leaf) == L"true") component->leaf = true;
    // The copies of "Components" share the element: its texts are checked once, with "number".
    if (!detail::namesEqual(element.getName(), L"Components"))
        checkNumbers(element, {L"posX", L"posY", L"posZ", L"width", L"height", L"angle"});
}

void XMLConfigurationManager::parseStrategies(const XMLNode& element, VisComponent* component) {
    const int children = element.nChildNode();
    for (int i = 0; i < children; ++i) {
        const XMLNode child = element.getChildNode(i);
        if (!detail::namesEqual(child.getName(), L"Strategy")) continue;
        const std::string name = narrow(child.getAttribute(L"name"));
        const auto parser = strategyParsers.find(name);
        if (parser == strategyParsers.end()) {
            reportProblem(child, "There is no registered parser for " + name + " strategy!");
            continue;
        }
        const VisComponentStrategy* before = component->strategy;
        parser->second->parse(child, component);
        if (component->strategy != before) checkImageTexture(child, *component);
    }
}

// An image whose texture failed to load (the later ones then moved up a place) would be
// drawn untextured without a word. A texture the host made itself counts as loaded.
void XMLConfigurationManager::checkImageTexture(const XMLNode& strategyElement, const VisComponent& component) {
    const auto* image = dynamic_cast<const ImageStrategy*>(component.strategy);
    if (image == nullptr) return;
    const std::vector<std::uint32_t> loaded = textureManager->getTextureNames();
    if (std::find(loaded.begin(), loaded.end(), image->getTextureName()) != loaded.end() ||
        glIsTexture(image->getTextureName()) == GL_TRUE)
        return;
    reportDiagnostic(strategyElement, "Image texture " + std::to_string(image->getTextureName()) +
                                       " is none of the " + std::to_string(loaded.size()) +
                                       " loaded textures: the component is drawn without one!");
}

void XMLConfigurationManager::parseTextures(const XMLNode& element) {
    const wchar_t* number = element.getAttribute(L"number");
    const wchar_t* source = element.getAttribute(L"source");
    if (number == nullptr || source == nullptr) {
        reportProblem(element, "Missing <Texture> attribute - number: " + narrow(number) + ", source: " + narrow(source));
        return;
    }
    checkNumbers(element, {L"number"});
    const long long count = extractInteger(number);
    const long long limit = limits.maxTextureSeries;
    const long long loaded = limit != 0 ? std::min(count, limit) : count;
    if (count > loaded)
        reportDiagnostic(element, "Textures number " + std::to_string(count) + " is above the limit of " +
                                   std::to_string(limit) + ": loading " + std::to_string(loaded) + "!");
    const std::string prefix = narrow(source);
    std::vector<std::string> files;
    for (long long i = 1; i <= loaded; ++i) files.push_back(seriesFileName(prefix, i));
    texturesElement = element;
    textureManager->loadTextures(std::move(files));
    texturesElement = XMLNode();
    shareTextureManager();
}

void XMLConfigurationManager::parseTexture(const XMLNode& element) {
    const wchar_t* source = element.getAttribute(L"source");
    if (source == nullptr) {
        reportProblem(element, "Missing <Texture> attribute - source: ");
        return;
    }
    texturesElement = element;
    textureManager->loadTexture(narrow(source).c_str());
    texturesElement = XMLNode();
    shareTextureManager();
}

void XMLConfigurationManager::shareTextureManager() {
    const auto image = strategyParsers.find("Image");
    if (image == strategyParsers.end()) return;
    if (auto* parser = dynamic_cast<ImageStrategyParser*>(image->second.get()))
        parser->setTextureManager(textureManager.get());
}
