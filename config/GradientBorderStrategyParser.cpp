#include "config/GradientBorderStrategyParser.h"

#include "appearance/GradientBorderStrategy.h"
#include "framework/VisComponent.h"

void GradientBorderStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    constexpr const char* self = "GradientBorderStrategyParser::parse()";
    auto* border = new GradientBorderStrategy();
    double width = border->getBorderWidth();
    if (readWidthAttribute(node, L"border-width", self, width)) border->setBorderWidth(width);
    double rgba[4];
    if (readColorAttributes(node, L"color", obtainDoubleValue, self, rgba)) border->setColor(rgba);
    component->pushStrategy(border);
}
