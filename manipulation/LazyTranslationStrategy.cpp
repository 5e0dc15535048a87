#include "manipulation/LazyTranslationStrategy.h"

bool LazyTranslationStrategy::activateTranslation(unsigned char buttonValue) {
    (void)buttonValue;
    return true;
}
