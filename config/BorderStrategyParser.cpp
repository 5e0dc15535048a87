#include "config/BorderStrategyParser.h"

#include "appearance/BorderStrategy.h"
#include "framework/VisComponent.h"

namespace {

double singlePrecision(const wchar_t* text) { return StrategyParser::obtainFloatValue(text); }

}  // namespace

void BorderStrategyParser::readColors(const XMLNode& node, BorderStrategy& border, const char* parser) const {
    double rgba[4];
    if (readColorAttributes(node, L"color", singlePrecision, parser, rgba)) border.setColor(rgba);
    if (readColorAttributes(node, L"selected", singlePrecision, parser, rgba)) border.setSelectedColor(rgba);
}

void BorderStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    auto* border = new BorderStrategy();
    readColors(node, *border, "BorderStrategyParser::parse()");
    component->pushStrategy(border);
}
