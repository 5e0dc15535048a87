#ifndef DRAVIK_CONFIG_INFOVISCONTAINERSTRATEGYPARSER_H
#define DRAVIK_CONFIG_INFOVISCONTAINERSTRATEGYPARSER_H

#include "config/PlainStrategyParser.h"
#include "containers/InfovisContainerStrategy.h"

// "InfovisContainerStrategy": an InfovisContainerStrategy, which has no attributes.
class InfovisContainerStrategyParser : public PlainStrategyParser<InfovisContainerStrategy> {};

#endif
