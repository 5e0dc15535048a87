#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "appearance/BorderStrategy.h"
#include "appearance/GradientBorderStrategy.h"
#include "appearance/ImageStrategy.h"
#include "appearance/TestImages.h"
#include "appearance/TextureManager.h"
#include "config/XMLConfigurationManager.h"
#include "framework/VisComponent.h"
#include "manipulation/RNTStrategy.h"
#include "manipulation/TranslationStrategy.h"
#include "support/GLContext.h"

namespace {

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A host's manager: registers the parsers (unless told not to), builds the scene from the
// parsed text's element (or, with `wholeDocument`, from the document as parseDocument picks
// its element), and writes down every element that parseXMLTree visits, how many components
// the manager holds when each visit returns, and every problem reported.
struct SceneOptions {
    bool registerParsers = true;
    bool wholeDocument = false;
    SceneLimits limits;
};

SceneOptions withoutParsers() {
    SceneOptions options;
    options.registerParsers = false;
    return options;
}

SceneOptions wholeDocument() {
    SceneOptions options;
    options.wholeDocument = true;
    return options;
}

class SceneManager : public XMLConfigurationManager {
public:
    using Options = SceneOptions;
    struct Problem {
        std::wstring element;
        int line;
        std::string message;
    };

    explicit SceneManager(const std::wstring& scene, Options options = Options())
        : XMLConfigurationManager(XMLNode::parseString(scene.c_str()), nullptr), options(options) {
        setSceneLimits(options.limits);
        initComponents();
    }

    std::vector<std::wstring> visited;
    std::vector<std::size_t> builtWhenVisitEnded;
    std::vector<Problem> problems;

    std::vector<double> positionsX() const {
        std::vector<double> xs;
        for (const VisComponent* c : components) xs.push_back(c->position.x);
        return xs;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const Problem& p : problems) texts.push_back(p.message);
        return texts;
    }

protected:
    void initComponents() override {
        if (options.registerParsers) registerStrategyParsers();
        if (options.wholeDocument)
            parseDocument(rootNode);
        else
            parseXMLTree(rootNode);
    }
    void parseXMLTree(const XMLNode& element) override {
        visited.push_back(element.getName() != nullptr ? element.getName() : L"");
        XMLConfigurationManager::parseXMLTree(element);
        builtWhenVisitEnded.push_back(components.size());
    }
    void reportProblem(const XMLNode& element, const std::string& message) override {
        problems.push_back({element.getName() != nullptr ? element.getName() : L"", element.getLine(), message});
        XMLConfigurationManager::reportProblem(element, message);
    }

private:
    Options options;
};

// Standard output while building the scene.
std::string outputOf(const std::wstring& scene, SceneManager::Options options = SceneManager::Options()) {
    testing::internal::CaptureStdout();
    SceneManager manager(scene, options);
    return testing::internal::GetCapturedStdout();
}

template <class Strategy>
Strategy* strategyAt(const VisComponent* component) {
    return dynamic_cast<Strategy*>(component->strategy);
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
}

TEST_F(XMLConfigurationGLTest, ReadsComponentAttributes) {
    SceneManager manager(L"<Scene><Component/>"
                         L"<Component POSX='10' posY='20.5' posZ='1.5' width='30' height='40' angle='90' leaf='true'/>"
                         L"<Component leaf='True' width='abc'/></Scene>");
    ASSERT_EQ(manager.components.size(), 3u);
    const VisComponent defaults;
    const VisComponent* plain = manager.components[0];
    EXPECT_EQ(plain->position.x, 0.0);
    EXPECT_EQ(plain->position.y, 0.0);
    EXPECT_EQ(plain->position.z, 0.0);
    EXPECT_EQ(plain->width, defaults.width);
    EXPECT_EQ(plain->angle, defaults.angle);
    EXPECT_FALSE(plain->leaf);

    const VisComponent* full = manager.components[1];
    EXPECT_EQ(full->position.x, 10.0);
    EXPECT_EQ(full->position.y, 20.5);
    EXPECT_EQ(full->position.z, 1.5);
    EXPECT_EQ(full->width, 30u);
    EXPECT_EQ(full->height, 40u);
    EXPECT_DOUBLE_EQ(full->angle, M_PI / 2);
    EXPECT_TRUE(full->leaf);

    EXPECT_FALSE(manager.components[2]->leaf);
    EXPECT_EQ(manager.components[2]->width, 0u) << "text that is no number reads as 0";
}

TEST_F(XMLConfigurationGLTest, CopiesConvertRandomAttributesAgain) {
    std::srand(11);
    SceneManager manager(L"<Components number='3' posX='?100'><Strategy name='TranslationStrategy'/></Components>");
    const std::vector<double> xs = manager.positionsX();
    ASSERT_EQ(xs.size(), 3u);
    for (double x : xs) {
        EXPECT_GE(x, 0.0);
        EXPECT_LE(x, 100.0);
    }
    EXPECT_FALSE(xs[0] == xs[1] && xs[1] == xs[2]);
    for (const VisComponent* c : manager.components) EXPECT_NE(strategyAt<TranslationStrategy>(c), nullptr);
    // One draw per random text: checking a random size for a negative value draws nothing.
    std::srand(5);
    const double first = std::rand() % 32768 / 32767.0, second = std::rand() % 32768 / 32767.0;
    std::srand(5);
    testing::internal::CaptureStdout();
    const SceneManager drawn(L"<Scene><Component posX='?' width='?5'/><Component posX='?'/></Scene>");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(drawn.positionsX(), (std::vector<double>{first, second}));
    EXPECT_EQ(drawn.messages(), std::vector<std::string>{"Attribute width=\"?5\" is not a number: 0 is used!"})
        << "sizes take plain whole numbers";
    EXPECT_EQ(SceneManager(L"<Components number='-2'/>").components.size(), 0u);
    EXPECT_EQ(SceneManager(L"<Components number='zero'/>").components.size(), 0u);
}

TEST_F(XMLConfigurationGLTest, RootComponentBecomesTheManagersRoot) {
    SceneManager manager(L"<RootComponent width='800' height='600'><Strategy name='RNTStrategy'/>"
                         L"<Component/></RootComponent>");
    ASSERT_NE(manager.rootComponent, nullptr);
    EXPECT_EQ(manager.rootComponent->width, 800u);
    EXPECT_NE(strategyAt<RNTStrategy>(manager.rootComponent), nullptr);
    ASSERT_EQ(manager.components.size(), 1u);
    EXPECT_NE(manager.components[0], manager.rootComponent);
}

TEST_F(XMLConfigurationGLTest, ReportsEveryProblemAndBuildsTheRest) {
    EXPECT_EQ(outputOf(L"<Components posX='1'/>"), "Missing number of Components!\n");
    EXPECT_EQ(outputOf(L"<Scene><Textures source='tiles/t'/></Scene>"),
              "Missing <Texture> attribute - number: , source: tiles/t\n");
    EXPECT_EQ(outputOf(L"<Scene><Textures number='3'/></Scene>"), "Missing <Texture> attribute - number: 3, source: \n");
    EXPECT_EQ(outputOf(L"<Scene><Texture/></Scene>"), "Missing <Texture> attribute - source: \n");

    testing::internal::CaptureStdout();
    SceneManager manager(L"<Component><Strategy name='TranslationStrategy'/><Strategy name='Translation'/>"
                         L"<Strategy/><Strategy name='RNTStrategy'/></Component>");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "There is no registered parser for Translation strategy!\n"
              "There is no registered parser for  strategy!\n");
    ASSERT_EQ(manager.components.size(), 1u);
    EXPECT_NE(strategyAt<RNTStrategy>(manager.components[0]), nullptr);
    EXPECT_NE(dynamic_cast<TranslationStrategy*>(manager.components[0]->strategy->getNext()), nullptr);

    EXPECT_EQ(outputOf(L"<Component><Strategy name='RNTStrategy'/></Component>", withoutParsers()),
              "There is no registered parser for RNTStrategy strategy!\n")
        << "parsing before registering finds no parsers";
}

TEST_F(XMLConfigurationGLTest, LoadsTexturesAndSeriesBeforeTheComponentThatUsesThem) {
    TestImageFolder images;
    for (int i = 1; i <= 12; ++i) {
        const std::string digits = (i < 10 ? "000" : "00") + std::to_string(i);
        images.write("t" + digits + ".png", IL_PNG, 2, 2, IL_RGB, 3, std::vector<unsigned char>(12, 50));
    }
    const std::wstring single = widen(images.path("t0001.png"));
    testing::internal::CaptureStdout();
    SceneManager manager(L"<Scene><Component><Strategy name='Image' texture-id='?'/></Component>"
                         L"<Texture source='" + single + L"'/>"
                         L"<Textures number='12' source='" + widen(images.path("t")) + L"'/>"
                         L"<Component><Texture source='missing.png'/><Strategy name='Image' texture-id='?'/></Component>"
                         L"</Scene>");
    const std::string output = testing::internal::GetCapturedStdout();
    TextureManager* textures = manager.getTextureManager();
    const std::vector<std::uint32_t> names = textures->getTextureNames();
    ASSERT_EQ(names.size(), 13u) << output;
    // The series comes first, then the single texture: the "Textures" children load first.
    EXPECT_NE(output.find("Loaded texture " + std::to_string(names[9]) + " in image: " + images.path("t0010.png")),
              std::string::npos);
    EXPECT_NE(output.find("Loaded texture " + std::to_string(names[12]) + " in image: " + images.path("t0001.png")),
              std::string::npos);
    EXPECT_NE(output.find("TextureManager.loadTexture(): Unable to load texture image missing.png!\n"),
              std::string::npos);
    ASSERT_EQ(manager.components.size(), 2u);
    const std::uint32_t chosen = strategyAt<ImageStrategy>(manager.components[0])->getTextureName();
    EXPECT_NE(std::find(names.begin(), names.end(), chosen), names.end());

    // Before any texture, "?" names no texture.
    SceneManager early(L"<Component><Strategy name='Image' texture-id='?'/></Component>");
    EXPECT_EQ(strategyAt<ImageStrategy>(early.components[0])->getTextureName(), 0u);
}

TEST_F(XMLConfigurationGLTest, ReportsEachProblemWithItsElement) {
    testing::internal::CaptureStdout();
    SceneManager manager(L"<Scene>\n"
                         L"<Component posX='left' width='-100'/>\n"
                         L"<Component width='nan' height='100000'/>\n"
                         L"<Components number='two' posY='?'/>\n"
                         L"<Component><Strategy name='Image' texture-id='?'/><Strategy name='Image' texture-id='4000000000'/>"
                         L"<Strategy name='Nope'/><Strategy name='Border' color-red='2' color-green='0' "
                         L"color-blue='0' color-alpha='1'/></Component>\n"
                         L"<Texture source='missing.png'/></Scene>");
    testing::internal::GetCapturedStdout();
    const std::vector<std::string> expected = {
        "TextureManager.loadTexture(): Unable to load texture image missing.png!",
        "Attribute posX=\"left\" is not a number: 0 is used!",
        "Component skipped: its width -100 is negative!",
        "Attribute width=\"nan\" is not a number: 0 is used!",
        "Image texture 0 is none of the 0 loaded textures: the component is drawn without one!",
        "Image texture 4000000000 is none of the 0 loaded textures: the component is drawn without one!",
        "There is no registered parser for Nope strategy!",
        "Warning in BorderStrategyParser::parse() - color-red 2 lies outside 0 to 1; it is taken as 1.",
        "Attribute number=\"two\" is not a number: 0 is used!",
    };
    EXPECT_EQ(manager.messages(), expected);
    ASSERT_EQ(manager.problems.size(), expected.size());
    const std::pair<std::wstring, int> where[] = {{L"Texture", 6}, {L"Component", 2}, {L"Component", 2},
                                                  {L"Component", 3}, {L"Strategy", 5}, {L"Strategy", 5},
                                                  {L"Strategy", 5}, {L"Strategy", 5}, {L"Components", 4}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(manager.problems[i].element, where[i].first) << expected[i];
        EXPECT_EQ(manager.problems[i].line, where[i].second) << expected[i];
    }
    ASSERT_EQ(manager.components.size(), 2u) << "the negative width is the one component skipped";
    EXPECT_EQ(manager.components[0]->width, 0u);
    EXPECT_EQ(manager.components[0]->height, 100000u) << "a line of pixels";
}

TEST_F(XMLConfigurationGLTest, BuildsWhatADisplayShowsAndLimitsOnlyOnRequest) {
    // A wall of 15360 x 8640 pixels, and more components than any earlier fixed limit.
    SceneManager wall(L"<RootComponent width='15360' height='8640'>"
                      L"<Components number='100001' width='1' height='1'/></RootComponent>");
    ASSERT_NE(wall.rootComponent, nullptr);
    EXPECT_EQ(wall.rootComponent->width, 15360u);
    EXPECT_EQ(wall.components.size(), 100001u);
    EXPECT_TRUE(wall.problems.empty());

    SceneOptions limits;
    limits.limits.maxComponents = 3;
    limits.limits.maxScenePixels = 9000450;
    testing::internal::CaptureStdout();
    SceneManager limited(L"<Scene><Component width='3000' height='3000'/><Component width='20000' height='20000'/>"
                         L"<Component width='20' height='20'/><Component width='10' height='10'/>"
                         L"<Components number='2' width='5' height='10'/><Components number='2'/></Scene>",
                         limits);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(limited.messages(),
              (std::vector<std::string>{
                  "Component of 20000 x 20000 skipped: larger than 268435456 pixels!",
                  "Component of 10 x 10 skipped: the scene's components would cover more than 9000450 pixels together!",
                  "1 of 2 Components skipped: a scene holds at most 3 components!",
                  "2 of 2 Components skipped: a scene holds at most 3 components!",
              }));
    EXPECT_EQ(limited.components.size(), 3u) << "3000 x 3000, 20 x 20 and one 5 x 10";

    const std::string series =
        outputOf(L"<Scene><Textures number='1000000' source='/nonexistent/t'/></Scene>");
    EXPECT_EQ(series.find("Textures number 1000000 is above the limit of 9999: loading 9999!\n"), 0u);
    EXPECT_NE(series.find("/nonexistent/t9999.png!"), std::string::npos);
    EXPECT_EQ(series.find("/nonexistent/t10000.png"), std::string::npos);
}

TEST_F(XMLConfigurationGLTest, TheDocumentsRootIsFoundPastCommentsAndDeclarations) {
    const std::wstring scenes[] = {
        L"<!-- a table -->\n<RootComponent width='640'><Component/></RootComponent>",
        L"<?xml version='1.0'?><?xml-stylesheet href='s.css'?>\n<RootComponent width='640'><Component/></RootComponent>",
    };
    for (const std::wstring& scene : scenes) {
        SceneManager manager(scene, wholeDocument());
        ASSERT_NE(manager.rootComponent, nullptr);
        EXPECT_EQ(manager.rootComponent->width, 640u);
        EXPECT_EQ(manager.components.size(), 1u);
        EXPECT_TRUE(manager.problems.empty());
    }

    testing::internal::CaptureStdout();
    SceneManager second(L"<?xml version='1.0'?>\n<RootComponent><Component/></RootComponent>\n"
                        L"<RootComponent><Component/></RootComponent>\n<Other/>",
                        wholeDocument());
    SceneManager tableless(L"<Scene><Component/></Scene>\n<Component/>", wholeDocument());
    SceneManager nothing(L"<?xml version='1.0'?><!-- only a comment -->", wholeDocument());
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(second.components.size(), 1u);
    EXPECT_EQ(second.messages(), (std::vector<std::string>{"Element <RootComponent> beside the scene's <RootComponent> is ignored!",
                                                           "Element <Other> beside the scene's <RootComponent> is ignored!"}));
    EXPECT_EQ(second.problems[0].line, 3);
    EXPECT_EQ(tableless.rootComponent, nullptr);
    EXPECT_EQ(tableless.components.size(), 1u);
    EXPECT_EQ(tableless.messages(),
              (std::vector<std::string>{"No RootComponent element: the components of <Scene> are built without a table!",
                                        "Element <Component> beside the scene's <Scene> is ignored!"}));
    EXPECT_EQ(nothing.messages(), std::vector<std::string>{"No element to build a scene from!"});
}

TEST_F(XMLConfigurationGLTest, AnOverrideFindsTheSubtreeBuiltWhenItsVisitReturns) {
    SceneManager manager(L"<Scene><Component><Component/><Components number='2'/></Component><Component/></Scene>");
    EXPECT_EQ(manager.visited,
              (std::vector<std::wstring>{L"Scene", L"Component", L"Component", L"Components", L"Component"}));
    // Visits end innermost first: the inner Component, the Components, their parent, the
    // last Component, the Scene.
    EXPECT_EQ(manager.builtWhenVisitEnded, (std::vector<std::size_t>{2, 4, 4, 5, 5}));
}

TEST_F(XMLConfigurationGLTest, BuildsComponentsNestedHundredThousandLevelsDeep) {
    const int depth = 100000;
    std::wstring scene;
    for (int i = 0; i < depth; ++i) scene += L"<Component width='1' height='1'>";
    for (int i = 0; i < depth; ++i) scene += L"</Component>";
    SceneManager manager(scene);
    EXPECT_EQ(manager.components.size(), static_cast<std::size_t>(depth));
    ASSERT_EQ(manager.builtWhenVisitEnded.size(), static_cast<std::size_t>(depth));
    EXPECT_EQ(manager.builtWhenVisitEnded.front(), static_cast<std::size_t>(depth))
        << "the innermost visit ends once every component is built";
    EXPECT_EQ(manager.builtWhenVisitEnded.back(), static_cast<std::size_t>(depth));
}

TEST_F(XMLConfigurationGLTest, BuildsALatin1SceneReadAsWindows1252) {
    struct RestoreOptions {
        ~RestoreOptions() { XMLNode::setGlobalOptions(); }
    } restore;
    const std::string latin1 = "<RootComponent width='640'><!-- caf\xE9 au lait -->"
                               "<Component posX='12'><Strategy name='Caf\xE9\x80'/></Component></RootComponent>";
    // As UTF-8 the stray bytes read as U+FFFD; the scene is built all the same.
    const XMLNode utf8 = XMLNode::parseBuffer(latin1.data(), latin1.size());
    ASSERT_FALSE(utf8.isEmpty());

    XMLNode::setGlobalOptions(eXMLEncodingSystem);
    const XMLNode windows1252 = XMLNode::parseBuffer(latin1.data(), latin1.size());
    ASSERT_FALSE(windows1252.isEmpty());
    EXPECT_EQ(std::wstring(windows1252.getChildNode(L"Component").getChildNode(L"Strategy").getAttribute(L"name")),
              L"Caf\u00e9\u20AC");
    struct Latin1Scene : XMLConfigurationManager {
        explicit Latin1Scene(const XMLNode& root) : XMLConfigurationManager(root, nullptr) { initComponents(); }
        void initComponents() override {
            registerStrategyParsers();
            parseDocument(rootNode);
        }
    };
    testing::internal::CaptureStdout();
    Latin1Scene scene(windows1252);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "There is no registered parser for Caf\xC3\xA9\xE2\x82\xAC strategy!\n")
        << "names reach messages as UTF-8";
    ASSERT_NE(scene.rootComponent, nullptr);
    EXPECT_EQ(scene.rootComponent->width, 640u);
    ASSERT_EQ(scene.components.size(), 1u);
    EXPECT_EQ(scene.components[0]->position.x, 12.0);
}

TEST_F(XMLConfigurationGLTest, BuildsBordersAndGradientBorders) {
    SceneManager manager(L"<Component><Strategy name='Border' color-red='0' color-green='0' color-blue='1'"
                         L" color-alpha='1'/><Strategy name='GradientBorder' border-width='9'/></Component>");
    ASSERT_EQ(manager.components.size(), 1u);
    auto* band = strategyAt<GradientBorderStrategy>(manager.components[0]);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->getBorderWidth(), 9.0);
    auto* border = dynamic_cast<BorderStrategy*>(band->getNext());
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(border->getColor()[2], 1.0);
    EXPECT_EQ(border->getColor()[0], 0.0);
}
