#ifndef DRAVIK_CONFIG_DESTROYERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_DESTROYERSTRATEGYPARSER_H

#include "config/PlainStrategyParser.h"
#include "lifecycle/DestroyerStrategy.h"

// "DestroyerStrategy": a DestroyerStrategy (a bin), which has no attributes.
class DestroyerStrategyParser : public PlainStrategyParser<DestroyerStrategy> {};

#endif
