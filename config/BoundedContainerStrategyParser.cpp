#include "config/BoundedContainerStrategyParser.h"

#include <algorithm>
#include <iostream>
#include <string>

#include "config/XMLNode.h"
#include "containers/BoundedContainerStrategy.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {

void warn(const char* parserName, const std::string& message) {
    std::cout << "Warning in " << parserName << "::parse() - " << message << '\n';
}

// The four channels "<prefix>-red", "-green", "-blue", "-alpha", in that order; false (and
// nothing read) unless all four are present.
bool readColor(const XMLNode& node, const wchar_t* prefix, double rgba[4]) {
    static const wchar_t* const kChannels[4] = {L"-red", L"-green", L"-blue", L"-alpha"};
    const wchar_t* texts[4];
    for (int i = 0; i < 4; ++i) {
        texts[i] = node.getAttribute((std::wstring(prefix) + kChannels[i]).c_str());
        if (texts[i] == nullptr) return false;
    }
    for (int i = 0; i < 4; ++i) rgba[i] = StrategyParser::obtainDoubleValue(texts[i]);
    return true;
}

std::string decimal(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

void BoundedContainerStrategyParser::readContainerAttributes(const XMLNode& node, BoundedContainerStrategy& strategy,
                                                             const char* parserName) {
    using Limits = BoundedContainerStrategy;
    if (const wchar_t* text = node.getAttribute(L"number-control-points")) {
        const double count = obtainDoubleValue(text);
        if (!(count >= 3.0)) {
            warn(parserName, "number-control-points must be at least 3, not " + decimal(count) + "; using " +
                                 std::to_string(strategy.getNumControlPoints()) + ".");
        } else {
            if (count >= Limits::kMaxControlPoints + 1.0)
                warn(parserName, "number-control-points must be at most " + std::to_string(Limits::kMaxControlPoints) +
                                     ", not " + decimal(count) + "; using " +
                                     std::to_string(Limits::kMaxControlPoints) + ".");
            strategy.setNumControlPoints(truncateToUnsigned(std::min(count, double(Limits::kMaxControlPoints))));
        }
    }
    if (const wchar_t* text = node.getAttribute(L"subdivision-levels")) {
        const double levels = obtainDoubleValue(text);
        if (levels >= Limits::kMaxSplineLevels + 1.0)
            warn(parserName, "subdivision-levels must be at most " + std::to_string(Limits::kMaxSplineLevels) +
                                 ", not " + decimal(levels) + "; using " + std::to_string(Limits::kMaxSplineLevels) +
                                 ".");
        strategy.setSplineLevels(truncateToUnsigned(std::clamp(levels, 0.0, double(Limits::kMaxSplineLevels))));
    }
    if (const wchar_t* text = node.getAttribute(L"display-control-points"); text && std::wstring(text) == L"false")
        strategy.setDisplayControlPoints(false);
    double rgba[4];
    if (readColor(node, L"color", rgba)) strategy.setColor(rgba);
    if (readColor(node, L"border", rgba)) strategy.setBorderColor(rgba);
    if (readColor(node, L"selected", rgba)) strategy.setSelectedColor(rgba);
}

void BoundedContainerStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new BoundedContainerStrategy(4, 4);
    readContainerAttributes(node, *strategy, "BoundedContainerStrategyParser");
    component->pushStrategy(strategy);
}
