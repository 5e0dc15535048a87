#include "config/CurrentBeltContainerStrategyParser.h"

#include <algorithm>
#include <sstream>

#include "config/XMLNode.h"
#include "containers/CurrentBeltContainerStrategy.h"
#include "framework/VisComponent.h"

void CurrentBeltContainerStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* strategy = new CurrentBeltContainerStrategy(100.0);
    if (const wchar_t* text = node.getAttribute(L"belt-width")) {
        const double width = obtainDoubleValue(text);
        strategy->setBeltWidth(width);
        // The inner outline runs belt-width inside the outline, which lies border-width
        // inside the component's edge.
        const double room = std::min(component->width >> 1, component->height >> 1) - strategy->getBorderWidth();
        if (!(width > 0.0) || width > room) {
            std::ostringstream message;
            message << "Warning in CurrentBeltContainerStrategyParser::parse() - belt-width " << width
                    << " does not fit between 0 and " << room << " on this component; the belt's outlines cross.";
            reportDiagnostic(node, message.str());
        }
    }
    readContainerAttributes(node, *strategy, "CurrentBeltContainerStrategyParser");
    component->pushStrategy(strategy);
}
