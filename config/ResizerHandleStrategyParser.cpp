#include "config/ResizerHandleStrategyParser.h"

#include "config/detail/ColorAttributes.h"
#include "framework/VisComponent.h"
#include "manipulation/ResizerHandleStrategy.h"

void ResizerHandleStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new ResizerHandleStrategy();
    double rgba[4];
    if (detail::readColorAttributes(node, L"color-", rgba)) strategy->setColor(rgba);
    if (detail::readColorAttributes(node, L"selected-", rgba)) strategy->setSelectedColor(rgba);
    component->pushStrategy(strategy);
}
