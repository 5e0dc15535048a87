#include "config/AppearanceAttributes.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

#include "config/StrategyParser.h"
#include "config/XMLNode.h"
#include "config/detail/XMLEncoding.h"

bool readColorAttributes(const XMLNode& node, const wchar_t* prefix, AttributeConversion convert,
                         const char* parser, double rgba[4]) {
    static const wchar_t* const channels[4] = {L"-red", L"-green", L"-blue", L"-alpha"};
    const wchar_t* texts[4];
    for (int i = 0; i < 4; ++i) {
        texts[i] = node.getAttribute((std::wstring(prefix) + channels[i]).c_str());
        if (texts[i] == nullptr) return false;
    }
    for (int i = 0; i < 4; ++i) {
        const double value = convert(texts[i]);
        rgba[i] = std::clamp(value, 0.0, 1.0);
        if (rgba[i] != value)
            std::cout << "Warning in " << parser << " - " << detail::toUTF8(prefix) << detail::toUTF8(channels[i])
                      << ' ' << value << " lies outside 0 to 1; it is taken as " << rgba[i] << ".\n";
    }
    return true;
}

bool readWidthAttribute(const XMLNode& node, const wchar_t* name, const char* parser, double& width) {
    const wchar_t* text = node.getAttribute(name);
    if (text == nullptr) return false;
    const double value = StrategyParser::obtainDoubleValue(text);
    if (std::isfinite(value) && value > 0.0) {
        width = value;
        return true;
    }
    std::cout << "Warning in " << parser << " - " << detail::toUTF8(name) << " \"" << detail::toUTF8(text)
              << "\" is not a positive number; the width stays " << width << ".\n";
    return false;
}
