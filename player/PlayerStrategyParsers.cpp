#include "player/PlayerStrategyParsers.h"

#include <string>

#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "player/ButtonAreaStrategy.h"
#include "player/CardDispenserStrategy.h"
#include "player/FilledDiscStrategy.h"
#include "player/FilledRectangleStrategy.h"

namespace {

constexpr double kWhiteFrame[4] = {1.0, 1.0, 1.0, 0.6};
constexpr unsigned kLargestCard = 4096;

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) out += static_cast<char>(*text);
    return out;
}

double numberOr(const XMLNode& node, const wchar_t* name, double fallback) {
    const wchar_t* text = node.getAttribute(name);
    return text != nullptr ? StrategyParser::obtainDoubleValue(text) : fallback;
}

}  // namespace

void CardDispenserStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    const wchar_t* width = node.getAttribute(L"card-width");
    const wchar_t* height = node.getAttribute(L"card-height");
    unsigned cardWidth = width != nullptr ? obtainTruncatedUnsignedValue(width) : 90;
    unsigned cardHeight = height != nullptr ? obtainTruncatedUnsignedValue(height) : 60;
    // A card nobody could see or touch, or one too large for its grids, is not made.
    if (cardWidth == 0 || cardHeight == 0 || cardWidth > kLargestCard || cardHeight > kLargestCard) {
        reportDiagnostic(node, "CardDispenser: cards of " + std::to_string(cardWidth) + " x " +
                                std::to_string(cardHeight) + " cannot be made (1 to " + std::to_string(kLargestCard) +
                                " pixels a side); making cards of 90 x 60!");
        cardWidth = 90;
        cardHeight = 60;
    }
    component->pushStrategy(new CardDispenserStrategy(cardWidth, cardHeight, maxComponents));
}

void ButtonAreaStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    const wchar_t* area = node.getAttribute(L"area");
    component->pushStrategy(new ButtonAreaStrategy(area != nullptr ? narrow(area) : "RNT_AREA"));
}

void FilledRectangleStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    constexpr const char* self = "FilledRectangleStrategyParser::parse()";
    readColorAttributes(node, L"fill", obtainDoubleValue, self, component->color);
    double frame[4] = {kWhiteFrame[0], kWhiteFrame[1], kWhiteFrame[2], kWhiteFrame[3]};
    readColorAttributes(node, L"frame", obtainDoubleValue, self, frame);
    const wchar_t* shadow = node.getAttribute(L"shadow");
    component->pushStrategy(new FilledRectangleStrategy(frame, numberOr(node, L"frame-width", 4.0),
                                                        shadow != nullptr && std::wstring(shadow) == L"true",
                                                        narrow(node.getAttribute(L"label"))));
}

void FilledDiscStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    constexpr const char* self = "FilledDiscStrategyParser::parse()";
    readColorAttributes(node, L"fill", obtainDoubleValue, self, component->color);
    double rim[4] = {kWhiteFrame[0], kWhiteFrame[1], kWhiteFrame[2], kWhiteFrame[3]};
    readColorAttributes(node, L"rim", obtainDoubleValue, self, rim);
    component->pushStrategy(new FilledDiscStrategy(rim, numberOr(node, L"rim-width", 4.0)));
}
