#include "config/FrictionSurfaceStrategyParser.h"

#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "manipulation/FrictionSurfaceStrategy.h"

void FrictionSurfaceStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new FrictionSurfaceStrategy();
    if (const wchar_t* width = node.getAttribute(L"border-width"))
        strategy->setBorderWidth(obtainTruncatedUnsignedValue(width));
    if (const wchar_t* height = node.getAttribute(L"border-height"))
        strategy->setBorderHeight(obtainTruncatedUnsignedValue(height));
    component->pushStrategy(strategy);
}
