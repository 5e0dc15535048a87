#include "config/Resizer4ButtonStrategyParser.h"

#include <string>

#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "manipulation/Resizer4ButtonStrategy.h"

void Resizer4ButtonStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new Resizer4ButtonStrategy();
    // Converted in reading order (random values are drawn in it); flags in corner order.
    struct Corner {
        const wchar_t* name;
        int index;
    };
    constexpr Corner readingOrder[4] = {{L"topleft", 0}, {L"topright", 3}, {L"bottomleft", 1}, {L"bottomright", 2}};
    for (const Corner& corner : readingOrder) {
        const wchar_t* text = node.getAttribute(corner.name);
        if (text != nullptr && obtainDoubleValue(text) == 0.0) cornerFlags[corner.index] = 0;
    }
    for (int i = 0; i < 4; ++i) strategy->setCorner(i, cornerFlags[i]);
    if (std::uint32_t size = 0; readWholeNumberAttribute(node, L"buttonsize", "Resizer4ButtonStrategyParser::parse()", size))
        strategy->setButtonSize(size);
    const wchar_t* keepAspect = node.getAttribute(L"keepAspect");
    strategy->setKeepAspect(keepAspect != nullptr && std::wstring(keepAspect) == L"true");
    component->pushStrategy(strategy);
}
