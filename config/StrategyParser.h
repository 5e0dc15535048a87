#ifndef DRAVIK_CONFIG_STRATEGYPARSER_H
#define DRAVIK_CONFIG_STRATEGYPARSER_H

#include <cstdint>
#include <functional>
#include <string>

#include "framework/Export.h"

class VisComponent;
class XMLNode;

// Turns one "Strategy" element of a scene file into a configured strategy on a component.
// There is one parser class per strategy name; the scene configuration keeps one object of
// each and hands it the elements that name its strategy.
//
// The static conversions are the only way attribute texts become numbers. They read the
// leading number of the text as a decimal stream extraction does ("12abc" is 12, "0x10" is
// 0, no number is 0) and understand a notation for values drawn at load time with rand():
//   "?"      a value between 0 and 1
//   "?10"    a value between 0 and 10
//   "?2-5"   a value between 2 and 5 (the minus sign always separates the bounds, so a
//            bound cannot be negative; a missing lower bound is 0, a missing upper one 1)
//
// Problems with attributes (a colour channel outside 0 to 1, a width that is no positive
// number, a whole number out of range) are diagnostics, one line each (see
// XMLConfigurationManager::reportDiagnostic): silent unless a handler is set, which the scene
// configuration does. The strategy keeps its own value, or the value the conversions give
// (the line says which), so that the rest of the scene is still built.
class DRAVIK_API StrategyParser {
public:
    // Receives the parser's diagnostics about the attributes of an element; without one they
    // are dropped. The scene configuration routes them to its reportDiagnostic.
    using DiagnosticHandler = std::function<void(const XMLNode& element, const std::string& message)>;

    StrategyParser() = default;
    StrategyParser(const StrategyParser&) = default;
    StrategyParser& operator=(const StrategyParser&) = default;
    virtual ~StrategyParser() = default;

    // Creates the strategy, configures it from the attributes of `node` and pushes it onto
    // `component`, which then owns it.
    virtual void parse(const XMLNode& node, VisComponent* component) = 0;

    void setDiagnosticHandler(DiagnosticHandler handler) { diagnosticHandler = std::move(handler); }

    // Whether the conversions find a number in the text: a leading decimal number, or the
    // random notation. Texts without one (null, empty, "abc") convert to 0.
    static bool isNumber(const wchar_t* text);

    // Null or empty text gives 0.
    static double obtainDoubleValue(const wchar_t* text);
    static float obtainFloatValue(const wchar_t* text);
    static std::uint32_t obtainUnsignedIntValue(const wchar_t* text);

protected:
    // Whole-number properties: the text as obtainDoubleValue reads it (so random values and
    // fractions are accepted), truncated toward zero to a 64-bit integer whose low 32 bits
    // are the value: -1 gives 4294967295, 4294967297 gives 1. A value beyond the 64-bit range,
    // or not a number, gives 0 (the low bits of the processor's "indefinite" integer).
    static std::uint32_t obtainTruncatedUnsignedValue(const wchar_t* text);

    // One attribute text to a number, e.g. obtainDoubleValue.
    using AttributeConversion = double (*)(const wchar_t* text);

    void reportDiagnostic(const XMLNode& element, const std::string& message) const;
    // The colour of the four attributes `prefix`-red, -green, -blue and -alpha, converted in
    // that order. True, with `rgba` set, only when all four are present. A channel outside 0
    // to 1 is taken as the nearer end, with a warning naming `parser` (as in
    // "BorderStrategyParser::parse()").
    bool readColorAttributes(const XMLNode& node, const wchar_t* prefix, AttributeConversion convert,
                             const char* parser, double rgba[4]) const;
    // The width in the attribute `name`, converted by obtainDoubleValue. True, with `width`
    // set, when the attribute is present and a positive number of at most kMaxWidth pixels
    // (wider than any display, a band only paints the window or, far wider, draws nothing);
    // a present attribute that is not one gives a warning.
    static constexpr double kMaxWidth = 16384.0;
    bool readWidthAttribute(const XMLNode& node, const wchar_t* name, const char* parser, double& width) const;
    // The whole number in the attribute `name`, as obtainTruncatedUnsignedValue gives it.
    // True, with `value` set, when the attribute is present. Text that is no number, or a
    // number outside 0 to 4294967295 (whose low 32 bits, or 0 beyond the 64-bit range, are
    // what is used), gives a warning.
    bool readWholeNumberAttribute(const XMLNode& node, const wchar_t* name, const char* parser,
                                  std::uint32_t& value) const;

private:
    DiagnosticHandler diagnosticHandler;
};

#endif
