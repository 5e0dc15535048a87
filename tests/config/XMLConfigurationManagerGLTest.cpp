#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
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

// A host's manager: registers the parsers (unless told not to), builds the scene, and writes
// down every element that parseXMLTree visits.
class SceneManager : public XMLConfigurationManager {
public:
    explicit SceneManager(const std::wstring& scene, bool registerParsers = true,
                          unsigned maxComponents = defaultMaxComponents, std::uint64_t maxArea = defaultMaxArea)
        : XMLConfigurationManager(sceneElement(XMLNode::parseString(scene.c_str())), nullptr),
          registerParsers(registerParsers) {
        setSceneLimits(maxComponents, maxArea);
        initComponents();
    }

    std::vector<std::wstring> visited;

    std::vector<double> positionsX() const {
        std::vector<double> xs;
        for (const VisComponent* c : components) xs.push_back(c->position.x);
        return xs;
    }

protected:
    void initComponents() override {
        if (registerParsers) registerStrategyParsers();
        parseXMLTree(rootNode);
    }
    void parseXMLTree(const XMLNode& element) override {
        visited.push_back(element.getName() != nullptr ? element.getName() : L"");
        XMLConfigurationManager::parseXMLTree(element);
    }

private:
    bool registerParsers;
};

// Standard output while building the scene.
std::string outputOf(const std::wstring& scene, bool registerParsers = true) {
    testing::internal::CaptureStdout();
    SceneManager manager(scene, registerParsers);
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
    EXPECT_EQ(SceneManager(L"<Components number='-2'/>").components.size(), 0u);
    EXPECT_EQ(SceneManager(L"<Components number='zero'/>").components.size(), 0u);
}

TEST_F(XMLConfigurationGLTest, RootComponentBecomesTheManagersRoot) {
    SceneManager manager(L"<?xml version='1.0'?><RootComponent width='800' height='600'><Strategy name='RNTStrategy'/>"
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

    EXPECT_EQ(outputOf(L"<Component><Strategy name='RNTStrategy'/></Component>", false),
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

TEST_F(XMLConfigurationGLTest, BoundsWhatAFileMayAskFor) {
    testing::internal::CaptureStdout();
    SceneManager manager(L"<Scene><Component width='3000' height='3000'/><Components number='99999999999' width='10' height='10'/>"
                         L"<Component width='0' height='4294967295'/><Component width='20' height='20'/></Scene>",
                         true, 4, 1000000);
    const std::string limits = " skipped: a scene holds at most 4 components of 1000000 pixels together!\n";
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Component of 3000 x 3000" + limits + "Component of 0 x 4294967295" + limits + "Component of 10 x 10" + limits)
        << "a component without width still has a grid row per pixel of its height";
    EXPECT_EQ(manager.components.size(), 4u) << "the one Component, then Components copies until the scene is full";

    const std::string series = outputOf(L"<Scene><Textures number='1000000' source='/nonexistent/t'/></Scene>");
    EXPECT_EQ(series.find("Textures number 1000000 is too large, loading 9999!\n"), 0u);
    EXPECT_NE(series.find("/nonexistent/t9999.png!"), std::string::npos);
    EXPECT_EQ(series.find("/nonexistent/t10000.png"), std::string::npos);
}

TEST_F(XMLConfigurationGLTest, BuildsComponentsNestedHundredThousandLevelsDeep) {
    const int depth = 100000;
    std::wstring scene;
    for (int i = 0; i < depth; ++i) scene += L"<Component width='1' height='1'>";
    for (int i = 0; i < depth; ++i) scene += L"</Component>";
    SceneManager manager(scene);
    EXPECT_EQ(manager.components.size(), static_cast<std::size_t>(depth));
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
