#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "appearance/BorderStrategy.h"
#include "appearance/GradientBorderStrategy.h"
#include "config/BorderStrategyParser.h"
#include "config/GradientBorderStrategyParser.h"
#include "config/XMLNode.h"
#include "framework/VisComponent.h"

namespace {

template <class Strategy>
Strategy* parsed(StrategyParser& parser, const wchar_t* element, VisComponent& component, std::string* said = nullptr) {
    testing::internal::CaptureStdout();
    parser.parse(XMLNode::parseString(element), &component);
    const std::string output = testing::internal::GetCapturedStdout();
    if (said != nullptr) *said = output;
    else EXPECT_EQ(output, "");
    return dynamic_cast<Strategy*>(component.strategy);
}

std::vector<double> rgba(const double* c) { return {c[0], c[1], c[2], c[3]}; }

}  // namespace

TEST(AppearanceParsers, BorderColoursNeedAllFourChannelsReadInSinglePrecision) {
    BorderStrategyParser parser;
    VisComponent component;
    auto* border = parsed<BorderStrategy>(
        parser,
        L"<Strategy name='Border' COLOR-RED='0.1' color-green='0.5' color-blue='0' color-alpha='1'"
        L" selected-red='0.25' selected-green='0.75' selected-blue='1' selected-alpha='0.3'/>",
        component);
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(rgba(border->getColor()), (std::vector<double>{0.1f, 0.5, 0, 1}));
    EXPECT_EQ(rgba(border->getSelectedColor()), (std::vector<double>{0.25, 0.75, 1, 0.3f}));
    EXPECT_EQ(border->getBorderWidth(), 1.5);

    border = parsed<BorderStrategy>(
        parser, L"<Strategy color-red='0' color-green='0' color-blue='0' selected-alpha='0.5'/>", component);
    EXPECT_EQ(rgba(border->getColor()), (std::vector<double>{1, 1, 1, 1})) << "three of four change nothing";
    EXPECT_EQ(rgba(border->getSelectedColor()), (std::vector<double>{1, 1, 1, 1}));

    std::string said;
    border = parsed<BorderStrategy>(
        parser, L"<Strategy color-red='?' color-green='1.5' color-blue='-2' color-alpha='?0.5-1'/>", component, &said);
    EXPECT_EQ(said,
              "Warning in BorderStrategyParser::parse() - color-green 1.5 lies outside 0 to 1; it is taken as 1.\n"
              "Warning in BorderStrategyParser::parse() - color-blue -2 lies outside 0 to 1; it is taken as 0.\n");
    EXPECT_GE(border->getColor()[0], 0.0);
    EXPECT_LE(border->getColor()[0], 1.0);
    EXPECT_EQ(border->getColor()[1], 1.0);
    EXPECT_EQ(border->getColor()[2], 0.0);
    EXPECT_GE(border->getColor()[3], 0.5);
}

TEST(AppearanceParsers, GradientBorderTakesPositiveWidthsAndDoubleColours) {
    GradientBorderStrategyParser parser;
    VisComponent component;
    component.width = 20;
    auto* band = parsed<GradientBorderStrategy>(
        parser, L"<Strategy border-width='500' color-red='0.1' color-green='0.2' color-blue='0.3' color-alpha='0.4'/>",
        component);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->getBorderWidth(), 500.0) << "wider than the component is allowed";
    EXPECT_EQ(band->getSelectedBorderWidth(), 5.0);
    EXPECT_EQ(rgba(band->getColor()), (std::vector<double>{0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(parsed<GradientBorderStrategy>(parser, L"<Strategy border-width='7.5' color-red='0'/>", component)
                  ->getColor()[0],
              1.0);

    for (const wchar_t* width : {L"-3", L"0", L"abc"}) {
        std::string said;
        band = parsed<GradientBorderStrategy>(parser, (std::wstring(L"<Strategy border-width='") + width + L"'/>").c_str(),
                                              component, &said);
        EXPECT_EQ(band->getBorderWidth(), 5.0);
        EXPECT_EQ(said, "Warning in GradientBorderStrategyParser::parse() - border-width \"" +
                            std::string(width, width + std::wcslen(width)) +
                            "\" is not a positive number; the width stays 5.\n");
    }
}
