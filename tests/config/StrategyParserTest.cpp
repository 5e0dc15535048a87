#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "appearance/ImageStrategy.h"
#include "config/FrictionSurfaceStrategyParser.h"
#include "config/ImageStrategyParser.h"
#include "config/RNTStrategyParser.h"
#include "config/TranslationStrategyParser.h"
#include "config/XMLNode.h"
#include "framework/RandomNumber.h"
#include "framework/VisComponent.h"
#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/RNTStrategy.h"
#include "manipulation/TranslationStrategy.h"

namespace {

struct Range {
    double low = DBL_MAX;
    double high = -DBL_MAX;
};

// The smallest and largest of many conversions of the text, from a fixed seed.
Range drawMany(const std::function<double()>& convert) {
    std::srand(2024);
    Range range;
    for (int i = 0; i < 20000; ++i) {
        const double value = convert();
        range.low = std::min(range.low, value);
        range.high = std::max(range.high, value);
    }
    return range;
}

// Both bounds hold and are nearly reached.
void expectSpans(const Range& range, double lower, double upper, const std::string& text) {
    const double slack = (upper - lower) * 0.002;
    EXPECT_GE(range.low, lower) << text;
    EXPECT_LE(range.high, upper) << text;
    EXPECT_LT(range.low, lower + slack) << text;
    EXPECT_GT(range.high, upper - slack) << text;
}

// The strategy that parsing the element pushes onto a fresh component.
template <class Strategy, class Parser>
Strategy* parsed(Parser& parser, const wchar_t* element, VisComponent& component) {
    parser.parse(XMLNode::parseString(element), &component);
    return dynamic_cast<Strategy*>(component.strategy);
}

}  // namespace

TEST(StrategyParser, ReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"2.5"), 2.5);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"  7"), 7.0);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"12abc"), 12.0);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"-3.25"), -3.25);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"abc"), 0.0);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L""), 0.0);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(nullptr), 0.0);
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"1e999"), DBL_MAX) << "out of range stays finite";

    EXPECT_EQ(StrategyParser::obtainFloatValue(L"0.1"), 0.1f);
    EXPECT_EQ(StrategyParser::obtainFloatValue(L"x"), 0.0f);
    EXPECT_EQ(StrategyParser::obtainFloatValue(nullptr), 0.0f);

    EXPECT_EQ(StrategyParser::obtainUnsignedIntValue(L"42"), 42u);
    EXPECT_EQ(StrategyParser::obtainUnsignedIntValue(L"0x10"), 0u);
    EXPECT_EQ(StrategyParser::obtainUnsignedIntValue(L"7.9"), 7u);
    EXPECT_EQ(StrategyParser::obtainUnsignedIntValue(L"?"), 0u) << "no random notation for integers";
    EXPECT_EQ(StrategyParser::obtainUnsignedIntValue(nullptr), 0u);
}

TEST(StrategyParser, DrawsRandomValuesWithinTheirBounds) {
    for (const auto& [text, lower, upper] : {std::tuple{L"?", 0.0, 1.0}, std::tuple{L"?10", 0.0, 10.0},
                                             std::tuple{L"?2-5", 2.0, 5.0}, std::tuple{L"?2-", 1.0, 2.0},
                                             std::tuple{L"?-5", 0.0, 5.0}, std::tuple{L"?x", 0.0, 1.0}}) {
        const std::wstring source(text);
        const std::string name(source.begin(), source.end());
        expectSpans(drawMany([&] { return StrategyParser::obtainDoubleValue(text); }), lower, upper, name);
        expectSpans(drawMany([&] { return double(StrategyParser::obtainFloatValue(text)); }), lower, upper,
                    name + " as float");
    }
    EXPECT_TRUE(std::isfinite(StrategyParser::obtainFloatValue(L"?0-1e300"))) << "rounded without overflow";
}

TEST(StrategyParser, DrawsOnceFromTheGeneratorPerConversion) {
    std::srand(7);
    const double first = StrategyParser::obtainDoubleValue(L"?2-5");
    const double second = StrategyParser::obtainDoubleValue(L"?2-5");
    std::srand(7);
    randomInt32767();
    EXPECT_EQ(StrategyParser::obtainDoubleValue(L"?2-5"), second);
    std::srand(7);
    EXPECT_EQ(StrategyParser::obtainFloatValue(L"?2-5"), static_cast<float>(first));
    EXPECT_NE(first, second) << "copies of the same text usually differ";
}

TEST(StrategyParsers, PushConfiguredStrategies) {
    VisComponent component;
    TranslationStrategyParser translation;
    EXPECT_NE(parsed<TranslationStrategy>(translation, L"<Strategy name='TranslationStrategy'/>", component), nullptr);
    RNTStrategyParser rnt;
    EXPECT_NE(parsed<RNTStrategy>(rnt, L"<Strategy name='RNTStrategy'/>", component), nullptr);

    FrictionSurfaceStrategyParser friction;
    auto* band = parsed<FrictionSurfaceStrategy>(friction, L"<Strategy BORDER-WIDTH='7.9' border-height='?2-5'/>", component);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->getBorderWidth(), 7u);
    EXPECT_GE(band->getBorderHeight(), 2u);
    EXPECT_LE(band->getBorderHeight(), 5u);
    auto* defaults = parsed<FrictionSurfaceStrategy>(friction, L"<Strategy border-width='-1e30'/>", component);
    EXPECT_EQ(defaults->getBorderHeight(), FrictionSurfaceStrategy().getBorderHeight());
    EXPECT_EQ(defaults->getBorderWidth(), 0u) << "beyond 64 bits: defined, not undefined";
    // Truncated through 64 bits, of which the low 32 remain.
    const std::pair<const wchar_t*, unsigned> wrapped[] = {
        {L"-1", 4294967295u}, {L"-100.7", 4294967196u}, {L"4294967296.5", 0u}, {L"4294967297", 1u},
        {L"5e9", 705032704u}, {L"nan", 0u}};
    for (const auto& [text, expected] : wrapped) {
        const std::wstring element = L"<Strategy border-width='" + std::wstring(text) + L"'/>";
        EXPECT_EQ(parsed<FrictionSurfaceStrategy>(friction, element.c_str(), component)->getBorderWidth(), expected)
            << text;
    }

    ImageStrategyParser image;
    EXPECT_EQ(parsed<ImageStrategy>(image, L"<Strategy name='Image'/>", component)->getTextureName(), 1u);
    EXPECT_EQ(parsed<ImageStrategy>(image, L"<Strategy texture-id='7'/>", component)->getTextureName(), 7u);
    EXPECT_EQ(parsed<ImageStrategy>(image, L"<Strategy texture-id='?'/>", component)->getTextureName(), 0u)
        << "no texture manager yet";
}
