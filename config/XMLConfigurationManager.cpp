#include "config/XMLConfigurationManager.h"

#include <algorithm>
#include <iostream>
#include <sstream>

#include "app/VisComponentGL.h"
#include "appearance/TextureManager.h"
#include "config/CurrentBeltContainerStrategyParser.h"
#include "config/CurrentObserverStrategyParser.h"
#include "config/FrictionSurfaceStrategyParser.h"
#include "config/ImageStrategyParser.h"
#include "config/RNTStrategyParser.h"
#include "config/TranslationStrategyParser.h"
#include "config/detail/XMLEncoding.h"
#include "config/detail/XMLNodeData.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Attribute text for paths, names and messages; null gives the empty string.
std::string narrow(const wchar_t* text) { return text != nullptr ? detail::toUTF8(text) : std::string(); }

// The leading decimal integer of the text; 0 when there is none.
int extractInteger(const wchar_t* text) {
    std::wistringstream stream(text);
    int value = 0;
    stream >> std::dec >> value;
    return value;
}

// "source" followed by the four-digit index (more digits from 10000 on) and ".png".
std::string seriesFileName(const std::string& source, int index) {
    std::string digits = std::to_string(index);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return source + digits + ".png";
}

}  // namespace

XMLConfigurationManager::XMLConfigurationManager(const XMLNode& root, FrameTimer* timer)
    : DefaultManager(timer), rootNode(root), textureManager(std::make_unique<TextureManager>()) {}

XMLConfigurationManager::~XMLConfigurationManager() = default;

void XMLConfigurationManager::registerStrategyParsers() {
    // The registered names in their order. Parsers of strategies the library does not offer
    // yet join at their places: "Border", "CurrentBeltContainer", "CurrentObserver",
    // "DestroyerStrategy" before "FrictionSurface"; "GradientBorder" before "Image";
    // "InfovisContainerStrategy", "ResizerHandle", "Resizer4ButtonStrategy" before
    // "RNTStrategy"; "ResizerHandleStrategy" before "TranslationStrategy".
    registerStrategyParser("CurrentBeltContainer", std::make_unique<CurrentBeltContainerStrategyParser>());
    registerStrategyParser("CurrentObserver", std::make_unique<CurrentObserverStrategyParser>());
    registerStrategyParser("FrictionSurface", std::make_unique<FrictionSurfaceStrategyParser>());
    registerStrategyParser("Image", std::make_unique<ImageStrategyParser>());
    registerStrategyParser("RNTStrategy", std::make_unique<RNTStrategyParser>());
    registerStrategyParser("TranslationStrategy", std::make_unique<TranslationStrategyParser>());
}

void XMLConfigurationManager::registerStrategyParser(const std::string& name, std::unique_ptr<StrategyParser> parser) {
    strategyParsers[name] = std::move(parser);
}

void XMLConfigurationManager::parseXMLTree(const XMLNode& element) {
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
    queueNestedElements(element);
    if (visiting) return;  // the outermost call visits what was queued

    visiting = true;
    struct EndOfVisit {
        XMLConfigurationManager& manager;
        ~EndOfVisit() {
            manager.visiting = false;
            manager.pendingElements.clear();
        }
    } endOfVisit{*this};
    while (!pendingElements.empty()) {
        const XMLNode next = std::move(pendingElements.back());
        pendingElements.pop_back();
        parseXMLTree(next);
    }
}

void XMLConfigurationManager::queueNestedElements(const XMLNode& element) {
    // Pushed so that the first "Component" child lies on top, the last "Components" child at
    // the bottom: popping then visits them in the order of a depth-first walk.
    const std::size_t first = pendingElements.size();
    const int children = element.nChildNode();
    for (const wchar_t* name : {L"Component", L"Components"}) {
        for (int i = 0; i < children; ++i) {
            XMLNode child = element.getChildNode(i);
            if (detail::namesEqual(child.getName(), name)) pendingElements.push_back(std::move(child));
        }
    }
    std::reverse(pendingElements.begin() + static_cast<std::ptrdiff_t>(first), pendingElements.end());
}

void XMLConfigurationManager::buildComponents(const XMLNode& element) {
    const std::wstring name = element.getName() != nullptr ? element.getName() : L"";
    if (name == L"RootComponent") {
        if (std::unique_ptr<VisComponent> root = createComponent(element)) {
            VisComponent* adopted = root.release();
            setRootComponent(adopted);
            if (adopted->strategy != nullptr) adopted->initPropertiesComponent();
        }
    } else if (name == L"Component") {
        if (std::unique_ptr<VisComponent> component = createComponent(element)) addComponent(component.release());
    } else if (name == L"Components") {
        const wchar_t* number = element.getAttribute(L"number");
        if (number == nullptr) {
            std::cout << "Missing number of Components!\n";
            return;
        }
        const int count = extractInteger(number);
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<VisComponent> component = createComponent(element);
            if (component == nullptr) break;  // the scene is full; further copies would be too
            addComponent(component.release());
        }
    }
}

std::unique_ptr<VisComponent> XMLConfigurationManager::createComponent(const XMLNode& element) {
    auto component = std::make_unique<VisComponentGL>();
    parseComponent(element, component.get());
    // A component one pixel thin still has a row or column of grid cells along its length.
    const std::uint64_t area = std::uint64_t(std::max(component->width, 1u)) * std::max(component->height, 1u);
    if (componentCount >= maxComponents || area > maxArea - usedArea) {
        std::cout << "Component of " << component->width << " x " << component->height
                  << " skipped: a scene holds at most " << maxComponents << " components of "
                  << maxArea << " pixels together!\n";
        return nullptr;
    }
    ++componentCount;
    usedArea += area;
    parseStrategies(element, component.get());
    return component;
}

XMLNode XMLConfigurationManager::sceneElement(const XMLNode& parsed) {
    XMLNode element = parsed;
    while (element.isDeclaration()) {
        XMLNode inside;
        for (int i = 0; i < element.nChildNode() && inside.isEmpty(); ++i)
            if (!element.getChildNode(i).isDeclaration()) inside = element.getChildNode(i);
        if (inside.isEmpty()) break;
        element = inside;
    }
    return element;
}

void XMLConfigurationManager::setSceneLimits(unsigned components, std::uint64_t area) {
    maxComponents = components;
    maxArea = area;
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
}

void XMLConfigurationManager::parseStrategies(const XMLNode& element, VisComponent* component) {
    const int children = element.nChildNode();
    for (int i = 0; i < children; ++i) {
        const XMLNode child = element.getChildNode(i);
        if (!detail::namesEqual(child.getName(), L"Strategy")) continue;
        const std::string name = narrow(child.getAttribute(L"name"));
        const auto parser = strategyParsers.find(name);
        if (parser != strategyParsers.end())
            parser->second->parse(child, component);
        else
            std::cout << "There is no registered parser for " << name << " strategy!\n";
    }
}

void XMLConfigurationManager::parseTextures(const XMLNode& element) {
    const wchar_t* number = element.getAttribute(L"number");
    const wchar_t* source = element.getAttribute(L"source");
    if (number == nullptr || source == nullptr) {
        std::cout << "Missing <Texture> attribute - number: " << narrow(number) << ", source: " << narrow(source)
                  << std::endl;
        return;
    }
    const int count = extractInteger(number);
    const int loaded = std::min(count, maxTextureSeries);
    if (count > loaded)
        std::cout << "Textures number " << count << " is too large, loading " << loaded << "!\n";
    const std::string prefix = narrow(source);
    std::vector<std::string> files;
    for (int i = 1; i <= loaded; ++i) files.push_back(seriesFileName(prefix, i));
    textureManager->loadTextures(std::move(files));
    shareTextureManager();
}

void XMLConfigurationManager::parseTexture(const XMLNode& element) {
    const wchar_t* source = element.getAttribute(L"source");
    if (source == nullptr) {
        std::cout << "Missing <Texture> attribute - source: " << std::endl;
        return;
    }
    textureManager->loadTexture(narrow(source).c_str());
    shareTextureManager();
}

void XMLConfigurationManager::shareTextureManager() {
    const auto image = strategyParsers.find("Image");
    if (image == strategyParsers.end()) return;
    if (auto* parser = dynamic_cast<ImageStrategyParser*>(image->second.get()))
        parser->setTextureManager(textureManager.get());
}
