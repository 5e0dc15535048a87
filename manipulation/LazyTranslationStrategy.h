#ifndef DRAVIK_MANIPULATION_LAZYTRANSLATIONSTRATEGY_H
#define DRAVIK_MANIPULATION_LAZYTRANSLATIONSTRATEGY_H

#include "framework/Export.h"
#include "manipulation/TranslationStrategy.h"

// A TranslationStrategy that starts translating from a press anywhere inside the component,
// whatever its button grid says (or without one).
class DRAVIK_API LazyTranslationStrategy : public TranslationStrategy {
public:
    LazyTranslationStrategy() = default;
    LazyTranslationStrategy(const LazyTranslationStrategy&) = default;
    LazyTranslationStrategy& operator=(const LazyTranslationStrategy&) = default;
    ~LazyTranslationStrategy() override = default;

protected:
    bool activateTranslation(unsigned char buttonValue) override;
};

#endif
