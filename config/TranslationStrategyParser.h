#ifndef DRAVIK_CONFIG_TRANSLATIONSTRATEGYPARSER_H
#define DRAVIK_CONFIG_TRANSLATIONSTRATEGYPARSER_H

#include "config/StrategyParser.h"

// "TranslationStrategy": a TranslationStrategy, which has no attributes.
class TranslationStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
