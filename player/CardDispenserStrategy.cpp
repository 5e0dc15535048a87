#include "player/CardDispenserStrategy.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <string>

#include "app/VisComponentGL.h"
#include "framework/DravikManager.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "player/FilledRectangleStrategy.h"
#include "player/ShrinkAndFadeStrategy.h"

namespace {

constexpr double kPalette[][3] = {{0.93, 0.42, 0.35}, {0.96, 0.74, 0.29}, {0.36, 0.62, 0.88}, {0.55, 0.80, 0.45}};
constexpr double kCardFrame[4] = {1.0, 1.0, 1.0, 0.45};

}  // namespace

CardDispenserStrategy::CardDispenserStrategy(unsigned cardWidth, unsigned cardHeight, unsigned maxComponents)
    : cardWidth(cardWidth), cardHeight(cardHeight), maxComponents(maxComponents) {}

VisComponent* CardDispenserStrategy::createComponent(unsigned x, unsigned y, std::uint32_t) {
    const DravikManager* scene = component->manager;
    if (maxComponents != 0 && scene != nullptr && scene->getNumberComponents() >= maxComponents) {
        if (!refused)
            std::cerr << "dravik-player: the scene holds " << maxComponents
                      << " components, the most it may: the dispenser makes no more cards\n";
        refused = true;
        return nullptr;
    }
    const double* colour = kPalette[cardsMade % std::size(kPalette)];
    ++cardsMade;
    auto* card = new VisComponentGL;
    card->position = Point3d(x, y, 0.0);
    card->width = cardWidth;
    card->height = cardHeight;
    card->leaf = true;  // cards hold nothing: dropped cards land beside each other
    std::copy(colour, colour + 3, card->color);
    card->pushStrategy(new FilledRectangleStrategy(kCardFrame, 3.0, true, std::to_string(cardsMade)));
    card->pushStrategy(new LazyTranslationStrategy);
    card->pushStrategy(new ShrinkAndFadeStrategy);
    return card;
}
