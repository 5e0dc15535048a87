#include "config/FrictionSurfaceStrategyParser.h"

#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "manipulation/FrictionSurfaceStrategy.h"

void FrictionSurfaceStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    constexpr const char* self = "FrictionSurfaceStrategyParser::parse()";
    auto* strategy = new FrictionSurfaceStrategy();
    std::uint32_t cells = 0;
    if (readWholeNumberAttribute(node, L"border-width", self, cells)) strategy->setBorderWidth(cells);
    if (readWholeNumberAttribute(node, L"border-height", self, cells)) strategy->setBorderHeight(cells);
    component->pushStrategy(strategy);
}
