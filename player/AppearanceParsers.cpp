#include "player/AppearanceParsers.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

#include "appearance/FramebufferObjectBeginStrategy.h"
#include "appearance/GradientCircleStrategy.h"
#include "appearance/GradientRoundBorderStrategy.h"
#include "appearance/RoundBorderStrategy.h"
#include "config/XMLNode.h"
#include "framework/VisComponent.h"

namespace {

constexpr std::uint32_t kFewestSegments = 3, kMostSegments = 1024;

}  // namespace

template <class RoundBorder>
void RoundBorderParser<RoundBorder>::parse(const XMLNode& node, VisComponent* component) {
    auto* border = new RoundBorder();
    readColors(node, *border, self.c_str());
    double width = border->getBorderWidth();
    if (readWidthAttribute(node, L"border-width", self.c_str(), width)) border->setBorderWidth(width);
    width = border->getSelectedBorderWidth();
    if (readWidthAttribute(node, L"selected-border-width", self.c_str(), width)) border->setSelectedBorderWidth(width);
    if (const wchar_t* text = node.getAttribute(L"segments")) {
        const std::uint32_t segments = obtainTruncatedUnsignedValue(text);
        const std::uint32_t kept = std::clamp(segments, kFewestSegments, kMostSegments);
        if (kept != segments)
            reportDiagnostic(node, "Warning in " + self + " - segments " + std::to_string(segments) + " is not from " +
                                    std::to_string(kFewestSegments) + " to " + std::to_string(kMostSegments) + "; " +
                                    std::to_string(kept) + " are drawn.");
        border->setNumberSegments(kept);
    }
    component->pushStrategy(border);
}

template class RoundBorderParser<RoundBorderStrategy>;
template class RoundBorderParser<GradientRoundBorderStrategy>;

void GradientCircleParser::parse(const XMLNode& node, VisComponent* component) {
    constexpr const char* self = "GradientCircleParser::parse()";
    double rgba[4] = {1.0, 1.0, 1.0, 1.0};
    readColorAttributes(node, L"color", obtainDoubleValue, self, rgba);
    auto byte = [](double channel) { return static_cast<unsigned char>(std::lround(channel * 255.0)); };
    component->pushStrategy(new GradientCircleStrategy(byte(rgba[0]), byte(rgba[1]), byte(rgba[2]), byte(rgba[3])));
    double radius = 1.0;
    if (readWidthAttribute(node, L"radius", self, radius)) component->scale = Point3d(radius, radius, 1.0);
}

void FramebufferObjectBeginParser::parse(const XMLNode& node, VisComponent* component) {
    const XMLNode owner = node.getParentNode();
    bool endFollows = false;
    for (int i = 0, n = owner.nChildNode(L"Strategy"); i < n; ++i) {
        const wchar_t* name = owner.getChildNode(L"Strategy", i).getAttribute(L"name");
        endFollows = endFollows || (name != nullptr && std::wcscmp(name, L"FramebufferObjectEnd") == 0);
    }
    if (!endFollows) {
        reportDiagnostic(node, "Warning in FramebufferObjectBeginParser::parse() - There is no FramebufferObjectEnd "
                            "strategy on the component: it is drawn without capture.");
        return;
    }
    component->pushStrategy(new FramebufferObjectBeginStrategy);
}
