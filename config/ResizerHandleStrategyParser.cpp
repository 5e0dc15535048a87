#include "config/ResizerHandleStrategyParser.h"

#include "framework/VisComponent.h"
#include "manipulation/ResizerHandleStrategy.h"

void ResizerHandleStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new ResizerHandleStrategy();
    double rgba[4];
    constexpr const char* self = "ResizerHandleStrategyParser::parse()";
    if (readColorAttributes(node, L"color", obtainDoubleValue, self, rgba)) strategy->setColor(rgba);
    if (readColorAttributes(node, L"selected", obtainDoubleValue, self, rgba)) strategy->setSelectedColor(rgba);
    component->pushStrategy(strategy);
}
