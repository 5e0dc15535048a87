#include "config/RNTStrategyParser.h"

#include "framework/VisComponent.h"
#include "manipulation/RNTStrategy.h"

void RNTStrategyParser::parse(const XMLNode&, VisComponent* component) {
    component->pushStrategy(new RNTStrategy());
}
