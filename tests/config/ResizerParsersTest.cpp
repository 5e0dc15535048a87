#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "config/DestroyerStrategyParser.h"
#include "config/InfovisContainerStrategyParser.h"
#include "config/Resizer4ButtonStrategyParser.h"
#include "config/ResizerHandleStrategyParser.h"
#include "config/XMLNode.h"
#include "framework/VisComponent.h"
#include "manipulation/Resizer4ButtonStrategy.h"
#include "manipulation/ResizerHandleStrategy.h"

namespace {

// The strategy that the parser pushes for the "Strategy" element.
template <class Strategy>
Strategy* parsed(StrategyParser& parser, const wchar_t* element, VisComponent& component) {
    parser.parse(XMLNode::parseString(element), &component);
    return dynamic_cast<Strategy*>(component.strategy);
}

std::vector<unsigned> corners(const Resizer4ButtonStrategy* s) {
    return {s->getCorner(0), s->getCorner(1), s->getCorner(2), s->getCorner(3)};
}

}  // namespace

TEST(Resizer4ButtonStrategyParser, CornersSwitchedOffStayOffForLaterStrategies) {
    Resizer4ButtonStrategyParser parser;
    VisComponent c;
    auto* first = parsed<Resizer4ButtonStrategy>(
        parser, L"<Strategy topleft='0' topright='5' bottomright='x' buttonsize='12.9' keepAspect='true'/>", c);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(corners(first), (std::vector<unsigned>{0, 1, 0, 1})) << "text that is no number is 0";
    EXPECT_EQ(first->getButtonSize(), 12u);
    EXPECT_TRUE(first->getKeepAspect());

    auto* second = parsed<Resizer4ButtonStrategy>(parser, L"<Strategy bottomleft='0' keepAspect='True'/>", c);
    EXPECT_EQ(corners(second), (std::vector<unsigned>{0, 0, 0, 1}));
    EXPECT_EQ(second->getButtonSize(), 70u);
    EXPECT_FALSE(second->getKeepAspect());

    Resizer4ButtonStrategyParser fresh;
    EXPECT_EQ(corners(parsed<Resizer4ButtonStrategy>(fresh, L"<Strategy/>", c)), (std::vector<unsigned>{1, 1, 1, 1}));

    // Random corners draw in the order top-left, top-right, bottom-left, bottom-right: with a
    // seed whose first draw is 0 and second is not, "topright" is the corner switched off.
    unsigned seed = 1;
    for (;; ++seed) {
        std::srand(seed);
        if (std::rand() % 32768 == 0 && std::rand() % 32768 != 0) break;
    }
    std::srand(seed);
    Resizer4ButtonStrategyParser drawn;
    EXPECT_EQ(corners(parsed<Resizer4ButtonStrategy>(drawn, L"<Strategy bottomleft='?' topright='?'/>", c)),
              (std::vector<unsigned>{1, 1, 1, 0}));
}

TEST(ResizerHandleStrategyParser, SetsColoursOnlyWithAllFourChannels) {
    ResizerHandleStrategyParser parser;
    VisComponent c;
    auto* handle = parsed<ResizerHandleStrategy>(
        parser,
        L"<Strategy color-red='0.5' color-green='0.25' color-blue='?0-0' color-alpha='1'"
        L" selected-red='0' selected-green='0' selected-blue='0'/>",
        c);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(std::vector<double>(handle->getColor(), handle->getColor() + 4), (std::vector<double>{0.5, 0.25, 0, 1}));
    EXPECT_EQ(std::vector<double>(handle->getSelectedColor(), handle->getSelectedColor() + 4),
              (std::vector<double>{1, 1, 1, 1}));
}

TEST(StrategyParsers, PushBinsAndInfovisContainers) {
    VisComponent c;
    DestroyerStrategyParser bin;
    InfovisContainerStrategyParser infovis;
    EXPECT_NE(parsed<DestroyerStrategy>(bin, L"<Strategy color-red='1'/>", c), nullptr);
    EXPECT_NE(parsed<InfovisContainerStrategy>(infovis, L"<Strategy/>", c), nullptr);
    EXPECT_TRUE(c.isContainerFor(nullptr));
}
