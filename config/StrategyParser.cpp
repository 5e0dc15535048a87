#include "config/StrategyParser.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "app/DefaultManager.h"
#include "config/XMLNode.h"
#include "config/detail/XMLEncoding.h"
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

// Truncated toward zero through a 64-bit integer whose low 32 bits are the result; 0 beyond
// [-2^63, 2^63), the range in which that truncation is defined.
std::uint32_t lowBitsOfTruncation(double value) {
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
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
    return lowBitsOfTruncation(obtainDoubleValue(text));
}

void StrategyParser::reportDiagnostic(const XMLNode& element, const std::string& message) const {
    if (diagnosticHandler) diagnosticHandler(element, message);
}

bool StrategyParser::readColorAttributes(const XMLNode& node, const wchar_t* prefix, AttributeConversion convert,
                                         const char* parser, double rgba[4]) const {
    static const wchar_t* const channels[4] = {L"-red", L"-green", L"-blue", L"-alpha"};
    const wchar_t* texts[4];
    for (int i = 0; i < 4; ++i) {
        texts[i] = node.getAttribute((std::wstring(prefix) + channels[i]).c_str());
        if (texts[i] == nullptr) return false;
    }
    for (int i = 0; i < 4; ++i) {
        const double value = convert(texts[i]);
        rgba[i] = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
        if (rgba[i] != value) {
            std::ostringstream message;
            message << "Warning in " << parser << " - " << detail::toUTF8(prefix) << detail::toUTF8(channels[i]) << ' '
                    << value << " lies outside 0 to 1; it is taken as " << rgba[i] << '.';
            reportDiagnostic(node, message.str());
        }
    }
    return true;
}

bool StrategyParser::readWidthAttribute(const XMLNode& node, const wchar_t* name, const char* parser,
                                        double& width) const {
    const wchar_t* text = node.getAttribute(name);
    if (text == nullptr) return false;
    const double value = obtainDoubleValue(text);
    if (value > 0.0 && value <= kMaxWidth) {
        width = value;
        return true;
    }
    std::ostringstream message;
    message << "Warning in " << parser << " - " << detail::toUTF8(name) << " \"" << detail::toUTF8(text)
            << "\" is not a positive number of at most " << kMaxWidth << "; the width stays " << width << '.';
    reportDiagnostic(node, message.str());
    return false;
}

bool StrategyParser::readWholeNumberAttribute(const XMLNode& node, const wchar_t* name, const char* parser,
                                              std::uint32_t& value) const {
    const wchar_t* text = node.getAttribute(name);
    if (text == nullptr) return false;
    const double number = obtainDoubleValue(text);  // once: a random text draws once
    value = lowBitsOfTruncation(number);
    if (!isNumber(text) || !(number > -1.0 && number < 4294967296.0)) {
        std::ostringstream message;
        message << "Warning in " << parser << " - " << detail::toUTF8(name) << " \"" << detail::toUTF8(text)
                << "\" is not a whole number from 0 to 4294967295; it is taken as " << value << '.';
        reportDiagnostic(node, message.str());
    }
    return true;
}
