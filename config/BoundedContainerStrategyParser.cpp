#include "config/BoundedContainerStrategyParser.h"

#include <algorithm>
#include <string>

#include "config/XMLNode.h"
#include "containers/BoundedContainerStrategy.h"
#include "containers/Spline.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"

namespace {

std::string decimal(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

void BoundedContainerStrategyParser::readContainerAttributes(const XMLNode& node, BoundedContainerStrategy& strategy,
                                                             const char* parserName) const {
    auto warn = [&](const char* parser, const std::string& message) {
        reportDiagnostic(node, std::string("Warning in ") + parser + "::parse() - " + message);
    };
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
    const unsigned points = strategy.getNumControlPoints(), levels = strategy.getSplineLevels();
    if (const unsigned long taken = Spline::levelWithinLimit(points, levels, true); taken < levels)
        warn(parserName, std::to_string(points) + " control points at " + std::to_string(levels) +
                             " subdivision levels make more than " + std::to_string(Spline::kMaxSplinePoints) +
                             " points; the curve takes " + std::to_string(taken) + " levels.");
    if (const wchar_t* text = node.getAttribute(L"display-control-points"); text && std::wstring(text) == L"false")
        strategy.setDisplayControlPoints(false);
    double rgba[4];
    const std::string parse = std::string(parserName) + "::parse()";
    if (readColorAttributes(node, L"color", obtainDoubleValue, parse.c_str(), rgba)) strategy.setColor(rgba);
    if (readColorAttributes(node, L"border", obtainDoubleValue, parse.c_str(), rgba)) strategy.setBorderColor(rgba);
    if (readColorAttributes(node, L"selected", obtainDoubleValue, parse.c_str(), rgba)) strategy.setSelectedColor(rgba);
}

void BoundedContainerStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new BoundedContainerStrategy(4, 4);
    readContainerAttributes(node, *strategy, "BoundedContainerStrategyParser");
    component->pushStrategy(strategy);
}
