#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "appearance/ImageStrategy.h"
#include "appearance/TestImages.h"
#include "appearance/TextureManager.h"
#include "config/XMLConfigurationManager.h"
#include "framework/VisComponent.h"
#include "manipulation/RNTStrategy.h"
#include "manipulation/TranslationStrategy.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

struct SceneOptions {
    bool registerParsers = true;
    bool wholeDocument = false;  // build from the document as parseDocument picks its element
    bool collect = true;         // false: the library's own reporting, without overrides
    SceneLimits limits;
};

// A host's manager that writes down every element parseXMLTree visits, how many components
// the manager holds when each visit returns, and the diagnostics with their lines, with the
// standard output of the whole build.
class SceneManager : public XMLConfigurationManager {
public:
    struct Problem {
        int line;
        std::string message;
    };

    explicit SceneManager(const std::wstring& scene, SceneOptions options = SceneOptions())
        : SceneManager(XMLNode::parseString(scene.c_str()), options) {}
    SceneManager(const XMLNode& scene, SceneOptions options)
        : XMLConfigurationManager(scene, nullptr), options(options) {
        setSceneLimits(options.limits);
        testing::internal::CaptureStdout();
        initComponents();
        output = testing::internal::GetCapturedStdout();
    }

    std::vector<std::wstring> visited;
    std::vector<std::size_t> builtWhenVisitEnded;
    std::vector<Problem> diagnostics;
    std::string output;

    std::vector<double> positionsX() const {
        std::vector<double> xs;
        for (const VisComponent* c : components) xs.push_back(c->position.x);
        return xs;
    }
    static std::vector<std::string> texts(const std::vector<Problem>& list) {
        std::vector<std::string> out;
        for (const Problem& p : list) out.push_back(p.message);
        return out;
    }

protected:
    void initComponents() override {
        if (options.registerParsers) registerStrategyParsers();
        if (options.wholeDocument) parseDocument(rootNode);
        else parseXMLTree(rootNode);
    }
    void parseXMLTree(const XMLNode& element) override {
        visited.push_back(element.getName() != nullptr ? element.getName() : L"");
        XMLConfigurationManager::parseXMLTree(element);
        builtWhenVisitEnded.push_back(components.size());
    }
    void reportDiagnostic(const XMLNode& element, const std::string& message) override {
        if (!options.collect) return XMLConfigurationManager::reportDiagnostic(element, message);
        diagnostics.push_back({element.getLine(), message});
    }

private:
    SceneOptions options;
};

SceneOptions with(bool SceneOptions::*flag, bool value) {
    SceneOptions options;
    options.*flag = value;
    return options;
}

// At most `maxComponents` components (0: any number).
SceneOptions holding(unsigned maxComponents, SceneOptions options = SceneOptions()) {
    options.limits.maxComponents = maxComponents;
    return options;
}

class XMLConfigurationGLTest : public GLTest {};

}  // namespace

TEST_F(XMLConfigurationGLTest, VisitsComponentChildrenBeforeComponentsChildren) {
    SceneManager manager(L"<Scene>"
                         L"  <Components number='2' posX='5'/>"
                         L"  <Component posX='1'><Component posX='2'/></Component>"
                         L"  <component posX='9'><Component posX='3'/></component>"
                         L"</Scene>");
    EXPECT_EQ(manager.visited, (std::vector<std::wstring>{L"Scene", L"Component", L"Component", L"component",
                                                          L"Component", L"Components"}));
    EXPECT_EQ(manager.positionsX(), (std::vector<double>{1, 2, 3, 5, 5}))
        << "the lower-case element is visited but builds nothing; nesting only groups the file";
    for (const VisComponent* c : manager.components) EXPECT_EQ(c->getParent(), nullptr);
    // Visits end innermost first; an override finds an element's subtree built.
    EXPECT_EQ(manager.builtWhenVisitEnded, (std::vector<std::size_t>{2, 2, 3, 3, 5, 5}));
}

TEST_F(XMLConfigurationGLTest, ReadsComponentAttributes) {
    SceneManager manager(L"<Scene><Component/>"
                         L"<Component POSX='10' posY='20.5' posZ='1.5' width='30' height='40' angle='90' leaf='true'/>"
                         L"<Component leaf='True' width='abc'/></Scene>");
    ASSERT_EQ(manager.components.size(), 3u);
    const VisComponent defaults;
    const VisComponent *plain = manager.components[0], *full = manager.components[1];
    EXPECT_EQ(std::make_tuple(plain->position, plain->width, plain->angle, plain->leaf),
              std::make_tuple(Point3d(0, 0, 0), defaults.width, defaults.angle, false));
    EXPECT_EQ(std::make_tuple(full->position, sizeOf(full), full->leaf), std::make_tuple(Point3d(10, 20.5, 1.5), "30x40", true));
    EXPECT_DOUBLE_EQ(full->angle, M_PI / 2);
    EXPECT_FALSE(manager.components[2]->leaf);
    EXPECT_EQ(manager.components[2]->width, 0u) << "text that is no number reads as 0";
}

TEST_F(XMLConfigurationGLTest, CopiesConvertRandomAttributesAgain) {
    std::srand(11);
    SceneManager manager(L"<Components number='3' posX='?100'><Strategy name='TranslationStrategy'/></Components>");
    const std::vector<double> xs = manager.positionsX();
    ASSERT_EQ(xs.size(), 3u);
    for (double x : xs) EXPECT_TRUE(x >= 0.0 && x <= 100.0) << x;
    EXPECT_FALSE(xs[0] == xs[1] && xs[1] == xs[2]);
    for (const VisComponent* c : manager.components) EXPECT_NE(dynamic_cast<TranslationStrategy*>(c->strategy), nullptr);
    // One draw per random text: checking a random size draws nothing.
    std::srand(5);
    const double first = std::rand() % 32768 / 32767.0, second = std::rand() % 32768 / 32767.0;
    std::srand(5);
    const SceneManager drawn(L"<Scene><Component posX='?' width='?5'/><Component posX='?'/></Scene>");
    EXPECT_EQ(drawn.positionsX(), (std::vector<double>{first, second}));
    EXPECT_EQ(SceneManager::texts(drawn.diagnostics),
              std::vector<std::string>{"Attribute width=\"?5\" is not a number: 0 is used!"})
        << "sizes take plain whole numbers";
}

TEST_F(XMLConfigurationGLTest, RootComponentBecomesTheManagersRoot) {
    SceneManager manager(L"<RootComponent width='800' height='600'><Strategy name='FrictionSurface'/>"
                         L"<Component/></RootComponent>");
    ASSERT_NE(manager.rootComponent, nullptr);
    EXPECT_EQ(manager.rootComponent->width, 800u);
    EXPECT_EQ(manager.rootComponent->getActiveBuffersMemorySize(), 800u * 600 * sizeof(double))
        << "the root's strategies are initialised: the friction grid exists";
    ASSERT_EQ(manager.components.size(), 1u);
    EXPECT_NE(manager.components[0], manager.rootComponent);
}

// Standard output keeps to the scene format's messages, with their exact texts; every other
// problem is a diagnostic, silent unless the host listens.
TEST_F(XMLConfigurationGLTest, StandardOutputKeepsToTheSceneFormatsMessages) {
    const std::wstring scene = L"<Scene>\n"
                               L"<Components posX='1'/><Textures source='tiles/t'/><Textures number='3'/><Texture/>\n"
                               L"<Component posX='left' width='-100'/>\n"
                               L"<Component width='nan' height='100000'/>\n"
                               L"<Components number='two' posY='?'/>\n"
                               L"<Component><Strategy name='Image' texture-id='?'/><Strategy name='TranslationStrategy'/>"
                               L"<Strategy name='Nope'/><Strategy/><Strategy name='Border' color-red='2' color-green='0' "
                               L"color-blue='0' color-alpha='1'/><Strategy name='RNTStrategy'/></Component>\n"
                               L"<Components number='-1'/><component/><Components number='4294967295' width='1' height='1'/>\n"
                               L"<Texture source='missing.png'/></Scene>";
    const std::string specified = "Missing <Texture> attribute - number: , source: tiles/t\n"
                                  "Missing <Texture> attribute - number: 3, source: \n"
                                  "Missing <Texture> attribute - source: \n"
                                  "TextureManager.loadTexture(): Unable to load texture image missing.png!\n"
                                  "There is no registered parser for Nope strategy!\n"
                                  "There is no registered parser for  strategy!\n"
                                  "Missing number of Components!\n";
    EXPECT_EQ(SceneManager(scene, holding(5, with(&SceneOptions::collect, false))).output, specified);
    SceneManager manager(scene, holding(5));
    EXPECT_EQ(manager.output, specified);
    const std::vector<std::pair<int, std::string>> expected = {
        {3, "Attribute posX=\"left\" is not a number: 0 is used!"},
        {3, "Component skipped: its width -100 is negative!"},
        {4, "Attribute width=\"nan\" is not a number: 0 is used!"},
        {6, "Image texture 0 is none of the 0 loaded textures: the component is drawn without one!"},
        {6, "Warning in BorderStrategyParser::parse() - color-red 2 lies outside 0 to 1; it is taken as 1."},
        {7, "Element <component> builds nothing: only <Component> does, written exactly so!"},
        {5, "Attribute number=\"two\" is not a number: 0 is used!"},
        {7, "Components number -1 builds no component!"},
        {7, "4294967292 of 4294967295 Components skipped: a scene holds at most 5 components!"},
    };
    ASSERT_EQ(manager.diagnostics.size(), expected.size()) << testing::PrintToString(SceneManager::texts(manager.diagnostics));
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::make_pair(manager.diagnostics[i].line, manager.diagnostics[i].message), expected[i]);
    ASSERT_EQ(manager.components.size(), 5u) << "the negative width is the one component skipped";
    EXPECT_EQ(manager.components[0]->height, 100000u) << "a line of pixels";
    const VisComponentStrategy* strategies = manager.components[1]->strategy;
    EXPECT_NE(dynamic_cast<const RNTStrategy*>(strategies), nullptr) << "the rest of the element is built";

    EXPECT_EQ(SceneManager(L"<Component><Strategy name='RNTStrategy'/></Component>",
                           with(&SceneOptions::registerParsers, false))
                  .output,
              "There is no registered parser for RNTStrategy strategy!\n")
        << "parsing before registering finds no parsers";
    const SceneManager lower(L"<rootcomponent width='640'><Component/></rootcomponent>", with(&SceneOptions::wholeDocument, true));
    EXPECT_EQ(lower.rootComponent, nullptr);
    EXPECT_EQ(SceneManager::texts(lower.diagnostics),
              std::vector<std::string>{"Element <rootcomponent> builds nothing: only <RootComponent> does, written exactly so!"});
}

TEST_F(XMLConfigurationGLTest, LoadsTexturesAndSeriesBeforeTheComponentThatUsesThem) {
    TestImageFolder images;
    for (int i = 1; i <= 12; ++i) {
        const std::string digits = (i < 10 ? "000" : "00") + std::to_string(i);
        images.write("t" + digits + ".png", IL_PNG, 2, 2, IL_RGB, 3, std::vector<unsigned char>(12, 50));
    }
    SceneManager manager(L"<Scene><Component><Strategy name='Image' texture-id='?'/></Component>"
                         L"<Texture source='" + widen(images.path("t0001.png")) + L"'/>"
                         L"<Textures number='12' source='" + widen(images.path("t")) + L"'/>"
                         L"<Component><Strategy name='Image' texture-id='?'/></Component></Scene>");
    const std::vector<std::uint32_t> names = manager.getTextureManager()->getTextureNames();
    ASSERT_EQ(names.size(), 13u) << manager.output;
    // The series comes first, then the single texture: the "Textures" children load first.
    EXPECT_NE(manager.output.find("Loaded texture " + std::to_string(names[9]) + " in image: " + images.path("t0010.png")),
              std::string::npos);
    EXPECT_NE(manager.output.find("Loaded texture " + std::to_string(names[12]) + " in image: " + images.path("t0001.png")),
              std::string::npos);
    ASSERT_EQ(manager.components.size(), 2u);
    const std::uint32_t chosen = dynamic_cast<ImageStrategy*>(manager.components[0]->strategy)->getTextureName();
    EXPECT_NE(std::find(names.begin(), names.end(), chosen), names.end());
    EXPECT_TRUE(manager.diagnostics.empty());
}

TEST_F(XMLConfigurationGLTest, BuildsWhatADisplayShowsAndLimitsOnlyOnRequest) {
    // A wall of 15360 x 8640 pixels, and more components than any earlier fixed limit.
    SceneManager wall(L"<RootComponent width='15360' height='8640'>"
                      L"<Components number='100001' width='1' height='1'/></RootComponent>", holding(0));
    ASSERT_NE(wall.rootComponent, nullptr);
    EXPECT_EQ(wall.rootComponent->width, 15360u);
    EXPECT_EQ(wall.components.size(), 100001u);
    EXPECT_TRUE(wall.diagnostics.empty());

    SceneOptions limits = holding(3);
    limits.limits.maxScenePixels = 9000450;
    SceneManager limited(L"<Scene><Component width='3000' height='3000'/><Component width='20000' height='20000'/>"
                         L"<Component width='20' height='20'/><Component width='10' height='10'/>"
                         L"<Component width='5' height='10'/><Component/><Components number='2'/></Scene>",
                         limits);
    EXPECT_EQ(SceneManager::texts(limited.diagnostics),
              (std::vector<std::string>{
                  "Component of 20000 x 20000 skipped: larger than 268435456 pixels!",
                  "Component of 10 x 10 skipped: the scene's components would cover more than 9000450 pixels together!",
                  "Component skipped: a scene holds at most 3 components!",
                  "2 more components skipped: a scene holds at most 3 components!",
              }));
    EXPECT_EQ(limited.components.size(), 3u) << "3000 x 3000, 20 x 20 and 5 x 10";

    const SceneManager series(L"<Scene><Textures number='1000000' source='/nonexistent/t'/></Scene>");
    EXPECT_EQ(SceneManager::texts(series.diagnostics),
              std::vector<std::string>{"Textures number 1000000 is above the limit of 9999: loading 9999!"});
    EXPECT_NE(series.output.find("/nonexistent/t9999.png!"), std::string::npos);
    EXPECT_EQ(series.output.find("/nonexistent/t10000.png"), std::string::npos);
}

TEST_F(XMLConfigurationGLTest, TheDocumentsRootIsFoundPastCommentsAndDeclarations) {
    const SceneOptions whole = with(&SceneOptions::wholeDocument, true);
    SceneManager manager(L"<!-- a table -->\n<?xml version='1.0'?><?xml-stylesheet href='s.css'?>\n"
                         L"<RootComponent width='640'><Component/></RootComponent>", whole);
    ASSERT_NE(manager.rootComponent, nullptr);
    EXPECT_EQ(std::make_tuple(manager.rootComponent->width, manager.components.size(), manager.diagnostics.size()),
              std::make_tuple(640u, std::size_t(1), std::size_t(0)));
    SceneManager second(L"<?xml version='1.0'?>\n<RootComponent><Component/></RootComponent>\n"
                        L"<RootComponent><Component/></RootComponent>\n<Other/>", whole);
    SceneManager tableless(L"<Scene><Component/></Scene>\n<Component/>", whole);
    SceneManager nothing(L"<?xml version='1.0'?><!-- only a comment -->", whole);
    EXPECT_EQ(second.components.size(), 1u);
    EXPECT_EQ(SceneManager::texts(second.diagnostics),
              (std::vector<std::string>{"Element <RootComponent> beside the scene's <RootComponent> is ignored!",
                                        "Element <Other> beside the scene's <RootComponent> is ignored!"}));
    EXPECT_EQ(second.diagnostics[0].line, 3);
    EXPECT_EQ(tableless.rootComponent, nullptr);
    EXPECT_EQ(tableless.components.size(), 1u);
    EXPECT_EQ(SceneManager::texts(tableless.diagnostics),
              (std::vector<std::string>{"No RootComponent element: the components of <Scene> are built without a table!",
                                        "Element <Component> beside the scene's <Scene> is ignored!"}));
    EXPECT_EQ(SceneManager::texts(nothing.diagnostics), std::vector<std::string>{"No element to build a scene from!"});
}

TEST_F(XMLConfigurationGLTest, BuildsComponentsNestedHundredThousandLevelsDeep) {
    const int depth = 100000;
    std::wstring scene;
    for (int i = 0; i < depth; ++i) scene += L"<Component width='1' height='1'>";
    for (int i = 0; i < depth; ++i) scene += L"</Component>";
    SceneManager manager(scene, holding(0));
    EXPECT_EQ(manager.components.size(), static_cast<std::size_t>(depth));
    EXPECT_EQ(manager.builtWhenVisitEnded.size(), static_cast<std::size_t>(depth)) << "the host's override sees every level";
}

TEST_F(XMLConfigurationGLTest, BuildsALatin1SceneReadAsWindows1252) {
    struct RestoreOptions {
        ~RestoreOptions() { XMLNode::setGlobalOptions(); }
    } restore;
    XMLNode::setGlobalOptions(eXMLEncodingSystem);
    const std::string latin1 = "<RootComponent width='640'><!-- caf\xE9 au lait -->"
                               "<Component posX='12'><Strategy name='Caf\xE9\x80'/></Component></RootComponent>";
    const SceneManager scene(XMLNode::parseBuffer(latin1.data(), latin1.size()), with(&SceneOptions::wholeDocument, true));
    EXPECT_EQ(scene.output, "There is no registered parser for Caf\xC3\xA9\xE2\x82\xAC strategy!\n")
        << "names reach messages as UTF-8";
    ASSERT_NE(scene.rootComponent, nullptr);
    EXPECT_EQ(scene.rootComponent->width, 640u);
    ASSERT_EQ(scene.components.size(), 1u);
    EXPECT_EQ(scene.components[0]->position.x, 12.0);
}
