#include "config/Resizer4ButtonStrategyParser.h"

#include <string>

#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "manipulation/Resizer4ButtonStrategy.h"

void Resizer4ButtonStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new Resizer4ButtonStrategy();
    const wchar_t* cornerNames[4] = {L"topleft", L"bottomleft", L"bottomright", L"topright"};
    for (int i = 0; i < 4; ++i) {
        const wchar_t* text = node.getAttribute(cornerNames[i]);
        if (text != nullptr && obtainDoubleValue(text) == 0.0) cornerFlags[i] = 0;
    }
    for (int i = 0; i < 4; ++i) strategy->setCorner(i, cornerFlags[i]);
    if (const wchar_t* size = node.getAttribute(L"buttonsize")) strategy->setButtonSize(obtainTruncatedUnsignedValue(size));
    const wchar_t* keepAspect = node.getAttribute(L"keepAspect");
    strategy->setKeepAspect(keepAspect != nullptr && std::wstring(keepAspect) == L"true");
    component->pushStrategy(strategy);
}
