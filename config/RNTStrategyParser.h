#ifndef DRAVIK_CONFIG_RNTSTRATEGYPARSER_H
#define DRAVIK_CONFIG_RNTSTRATEGYPARSER_H

#include "config/PlainStrategyParser.h"
#include "manipulation/RNTStrategy.h"

// "RNTStrategy": a RNTStrategy, which has no attributes.
class RNTStrategyParser : public PlainStrategyParser<RNTStrategy> {};

#endif
