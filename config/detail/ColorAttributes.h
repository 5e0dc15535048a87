#ifndef DRAVIK_CONFIG_DETAIL_COLORATTRIBUTES_H
#define DRAVIK_CONFIG_DETAIL_COLORATTRIBUTES_H

#include <string>

#include "config/StrategyParser.h"
#include "config/XMLNode.h"

namespace detail {

// Reads the colour of the attributes prefix + "red", "green", "blue", "alpha" (in that order)
// into rgba; true when all four are present. With any one missing rgba is left unchanged.
inline bool readColorAttributes(const XMLNode& node, const std::wstring& prefix, double rgba[4]) {
    const wchar_t* texts[4];
    const wchar_t* channels[4] = {L"red", L"green", L"blue", L"alpha"};
    for (int i = 0; i < 4; ++i)
        if ((texts[i] = node.getAttribute((prefix + channels[i]).c_str())) == nullptr) return false;
    for (int i = 0; i < 4; ++i) rgba[i] = StrategyParser::obtainDoubleValue(texts[i]);
    return true;
}

}  // namespace detail

#endif
