#ifndef DRAVIK_PLAYER_APPEARANCEPARSERS_H
#define DRAVIK_PLAYER_APPEARANCEPARSERS_H

#include <string>

#include "config/BorderStrategyParser.h"

// The player's parsers for drawing strategies that the library's scene configuration does
// not name, so that scene files can show them. Colours are "color-red" ... "color-alpha"
// (and "selected-red" ... for borders), 0 to 1, used only when all four are present.

// "RoundBorder" and "GradientRoundBorder": a round outline or band with the colours of
// "Border", "border-width" and "selected-border-width" (positive numbers) and "segments"
// (3 to 1024 edges).
template <class RoundBorder>
class RoundBorderParser : public BorderStrategyParser {
public:
    explicit RoundBorderParser(std::string name) : self(std::move(name) + "Parser::parse()") {}
    void parse(const XMLNode& node, VisComponent* component) override;

private:
    std::string self;  // names the parser in warnings
};

// "GradientCircle": a soft spot in the colour given, as large as "radius" pixels (the
// component's scale, which sizes the spot; 1 when absent).
class GradientCircleParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

// "FramebufferObjectBegin": the begin of a capture, pushed only when the component also has a
// "FramebufferObjectEnd" strategy (else a message says why it is drawn without capture).
// "FramebufferObjectEnd" is a plain parser.
class FramebufferObjectBeginParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
