#include "config/TranslationStrategyParser.h"

#include "framework/VisComponent.h"
#include "manipulation/TranslationStrategy.h"

void TranslationStrategyParser::parse(const XMLNode&, VisComponent* component) {
    component->pushStrategy(new TranslationStrategy());
}
