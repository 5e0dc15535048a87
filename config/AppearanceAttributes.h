#ifndef DRAVIK_CONFIG_APPEARANCEATTRIBUTES_H
#define DRAVIK_CONFIG_APPEARANCEATTRIBUTES_H

class XMLNode;

// Reading of the colour and width attributes that drawing strategies share. Problems are
// written to standard output as warnings naming `parser` (e.g. "BorderStrategyParser::parse()")
// and leave the strategy's own value in place, so that the rest of the scene is still built.

// One attribute text to a number, e.g. StrategyParser::obtainDoubleValue.
using AttributeConversion = double (*)(const wchar_t* text);

// The colour of the four attributes `prefix`-red, -green, -blue and -alpha, converted in that
// order. True, with `rgba` set, only when all four are present. A channel outside 0 to 1 is
// taken as the nearer end, with a warning.
bool readColorAttributes(const XMLNode& node, const wchar_t* prefix, AttributeConversion convert,
                         const char* parser, double rgba[4]);

// The width in the attribute `name`, converted by obtainDoubleValue. True, with `width` set,
// when the attribute is present and a positive number; a present attribute that is not one
// gives a warning.
bool readWidthAttribute(const XMLNode& node, const wchar_t* name, const char* parser, double& width);

#endif
