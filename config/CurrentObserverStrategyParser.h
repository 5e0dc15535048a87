#ifndef DRAVIK_CONFIG_CURRENTOBSERVERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_CURRENTOBSERVERSTRATEGYPARSER_H

#include "config/PlainStrategyParser.h"
#include "containers/CurrentObserverStrategy.h"

// "CurrentObserver": a CurrentObserverStrategy, which has no attributes.
class CurrentObserverStrategyParser : public PlainStrategyParser<CurrentObserverStrategy> {};

#endif
