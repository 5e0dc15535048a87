#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "config/StrategyParser.h"
#include "framework/RandomNumber.h"

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

}  // namespace

TEST(StrategyParser, ReadsTheLeadingDecimalNumber) {
    const std::pair<const wchar_t*, double> doubles[] = {{L"2.5", 2.5}, {L"  7", 7.0}, {L"12abc", 12.0}, {L"-3.25", -3.25},
                                                         {L"abc", 0.0}, {L"", 0.0},   {nullptr, 0.0},
                                                         {L"1e999", DBL_MAX}};  // out of range stays finite
    for (const auto& [text, value] : doubles) EXPECT_EQ(StrategyParser::obtainDoubleValue(text), value) << value;
    for (const auto& [text, value] : {std::pair{L"0.1", 0.1f}, std::pair{L"x", 0.0f}, std::pair<const wchar_t*, float>{nullptr, 0.0f}})
        EXPECT_EQ(StrategyParser::obtainFloatValue(text), value) << value;
    // No hexadecimal and no random notation for whole numbers.
    const std::pair<const wchar_t*, unsigned> whole[] = {{L"42", 42}, {L"0x10", 0}, {L"7.9", 7}, {L"?", 0}, {nullptr, 0}};
    for (const auto& [text, value] : whole) EXPECT_EQ(StrategyParser::obtainUnsignedIntValue(text), value) << value;
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
