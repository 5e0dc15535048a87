#include "config/StrategyParser.h"

#include <sstream>
#include <string>

#include "app/DefaultManager.h"
#include "framework/RandomNumber.h"
#include "framework/SafeNumbers.h"

namespace {

// The leading decimal number of the text, as a stream extraction reads it, or `none` when
// the text holds no number. A number out of range reads as the largest value of its sign.
template <typename Number>
Number extract(const std::wstring& text, Number none = Number{}) {
    std::wistringstream stream(text);
    Number value{};
    if (!(stream >> std::dec >> value) && value == Number{}) return none;
    return value;
}

double draw01() { return randomInt32767() / 32767.0; }

// The bounds of "?upper" or "?lower-upper"; defaults 0 and 1 for missing numbers.
struct RandomBounds {
    bool range = false;  // written with a minus sign
    double lower = 0.0;
    double upper = 1.0;
};

RandomBounds readBounds(const std::wstring& text) {
    RandomBounds bounds;
    const std::size_t minus = text.find(L'-', 1);
    bounds.upper = extract<double>(minus == std::wstring::npos ? text.substr(1) : text.substr(minus + 1), 1.0);
    if (minus != std::wstring::npos) {
        bounds.range = true;
        bounds.lower = extract<double>(text.substr(1, minus - 1));
    }
    return bounds;
}

}  // namespace

bool StrategyParser::isNumber(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') return false;
    if (*text == L'?') return true;
    std::wistringstream stream(text);
    double value = 0.0;
    stream >> std::dec >> value;
    return !stream.fail() || value != 0.0;  // a number out of range still reads as one
}

double StrategyParser::obtainDoubleValue(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') return 0.0;
    const std::wstring value(text);
    if (value[0] != L'?') return extract<double>(value);
    if (value.size() == 1) return draw01();
    const RandomBounds bounds = readBounds(value);
    if (bounds.range) return DefaultManager::obtainRandomDouble(bounds.upper, bounds.lower);
    return draw01() * bounds.upper + 0.0;
}

float StrategyParser::obtainFloatValue(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') return 0.0f;
    const std::wstring value(text);
    if (value[0] != L'?') return extract<float>(value);
    if (value.size() == 1) return static_cast<float>(draw01());
    const RandomBounds bounds = readBounds(value);
    // The range is drawn as obtainRandomFloat draws it, rounded without overflowing.
    if (bounds.range) return narrowToFloat(DefaultManager::obtainRandomDouble(bounds.upper, bounds.lower));
    return narrowToFloat(draw01() * bounds.upper);
}

std::uint32_t StrategyParser::obtainUnsignedIntValue(const wchar_t* text) {
    if (text == nullptr || *text == L'\0') return 0;
    return extract<std::uint32_t>(text);
}

std::uint32_t StrategyParser::obtainTruncatedUnsignedValue(const wchar_t* text) {
    const double value = obtainDoubleValue(text);
    // [-2^63, 2^63): the range in which truncation to a 64-bit integer is defined.
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
}
