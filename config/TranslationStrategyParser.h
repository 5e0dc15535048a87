#ifndef DRAVIK_CONFIG_TRANSLATIONSTRATEGYPARSER_H
#define DRAVIK_CONFIG_TRANSLATIONSTRATEGYPARSER_H

#include "config/PlainStrategyParser.h"
#include "manipulation/TranslationStrategy.h"

// "TranslationStrategy": a TranslationStrategy, which has no attributes.
class TranslationStrategyParser : public PlainStrategyParser<TranslationStrategy> {};

#endif
