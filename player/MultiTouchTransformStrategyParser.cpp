#include "player/MultiTouchTransformStrategyParser.h"

#include <string>

#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "manipulation/MultiTouchTransformStrategy.h"

namespace {

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; *text != L'\0'; ++text) out += static_cast<char>(*text);
    return out;
}

}  // namespace

void MultiTouchTransformStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new MultiTouchTransformStrategy;
    const wchar_t* low = node.getAttribute(L"min-scale");
    const wchar_t* high = node.getAttribute(L"max-scale");
    if (low != nullptr || high != nullptr) {
        const double minimum = low != nullptr ? obtainDoubleValue(low) : strategy->getMinScale();
        const double maximum = high != nullptr ? obtainDoubleValue(high) : strategy->getMaxScale();
        if (!strategy->setScaleBounds(minimum, maximum))
            reportDiagnostic(node, "MultiTouchTransformStrategy: scale bounds " + std::to_string(minimum) + " to " +
                                    std::to_string(maximum) + " are not positive numbers in order; keeping " +
                                    std::to_string(strategy->getMinScale()) + " to " +
                                    std::to_string(strategy->getMaxScale()) + "!");
    }
    struct Switch {
        const wchar_t* name;
        void (MultiTouchTransformStrategy::*set)(bool);
    };
    for (const Switch& s : {Switch{L"move", &MultiTouchTransformStrategy::setMoves},
                            Switch{L"turn", &MultiTouchTransformStrategy::setTurns},
                            Switch{L"scale", &MultiTouchTransformStrategy::setScales},
                            Switch{L"share-among-users", &MultiTouchTransformStrategy::setShareAmongUsers}}) {
        const wchar_t* text = node.getAttribute(s.name);
        if (text == nullptr) continue;
        const std::wstring value(text);
        if (value == L"true" || value == L"false") (strategy->*s.set)(value == L"true");
        else reportDiagnostic(node, "MultiTouchTransformStrategy: " + narrow(s.name) + " is \"" + narrow(text) +
                                     "\", not true or false; keeping the default!");
    }
    component->pushStrategy(strategy);
}
