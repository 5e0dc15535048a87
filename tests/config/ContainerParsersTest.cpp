#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "config/BoundedContainerStrategyParser.h"
#include "config/CurrentBeltContainerStrategyParser.h"
#include "config/CurrentObserverStrategyParser.h"
#include "config/XMLNode.h"
#include "containers/CurrentBeltContainerStrategy.h"
#include "containers/CurrentObserverStrategy.h"
#include "framework/VisComponent.h"

namespace {

// What parsing the element pushes onto a 400 x 300 component, and what it printed.
struct Parsed {
    VisComponent component;
    std::string printed;
    CurrentBeltContainerStrategy* belt() { return dynamic_cast<CurrentBeltContainerStrategy*>(component.strategy); }
};

void parse(StrategyParser& parser, const wchar_t* element, Parsed& out) {
    out.component.width = 400;
    out.component.height = 300;
    std::ostringstream captured;
    std::streambuf* previous = std::cout.rdbuf(captured.rdbuf());
    parser.parse(XMLNode::parseString(element), &out.component);
    std::cout.rdbuf(previous);
    out.printed = captured.str();
}

}  // namespace

TEST(ContainerParsers, CurrentBeltAttributes) {
    CurrentBeltContainerStrategyParser parser;
    Parsed plain;
    parse(parser, L"<Strategy name=\"CurrentBeltContainer\"/>", plain);
    ASSERT_NE(plain.belt(), nullptr);
    EXPECT_EQ(plain.belt()->getBeltWidth(), 100.0);
    EXPECT_EQ(plain.belt()->getNumControlPoints(), 4u);
    EXPECT_EQ(plain.belt()->getSplineLevels(), 4u);
    EXPECT_TRUE(plain.belt()->getDisplayControlPoints());
    EXPECT_EQ(plain.printed, "");

    Parsed full;
    parse(parser,
          L"<Strategy belt-width=\"80.5\" number-control-points=\"7.9\" subdivision-levels=\"3\" "
          L"display-control-points=\"false\" color-red=\"0.1\" color-green=\"0.2\" color-blue=\"0.3\" "
          L"color-alpha=\"0.4\" BORDER-red=\"1\" border-green=\"0\" border-blue=\"0\" border-alpha=\"1\" "
          L"selected-red=\"0.5\" selected-green=\"0.5\" selected-blue=\"0.5\"/>",
          full);
    CurrentBeltContainerStrategy* s = full.belt();
    EXPECT_EQ(s->getBeltWidth(), 80.5);
    EXPECT_EQ(s->getNumControlPoints(), 7u);
    EXPECT_EQ(s->getSplineLevels(), 3u);
    EXPECT_FALSE(s->getDisplayControlPoints());
    EXPECT_EQ(s->getColor()[2], 0.3);
    EXPECT_EQ(s->getBorderColor()[0], 1.0);
    EXPECT_EQ(s->getSelectedColor()[0], 0.8999999761581421);  // three of four: the default stays
    EXPECT_EQ(full.printed, "");

    Parsed shown;
    parse(parser, L"<Strategy display-control-points=\"true\"/>", shown);
    EXPECT_TRUE(shown.belt()->getDisplayControlPoints());
}

TEST(ContainerParsers, ImpossibleValuesAreReportedAndTheRestIsBuilt) {
    CurrentBeltContainerStrategyParser parser;
    Parsed few;
    parse(parser, L"<Strategy number-control-points=\"2\" subdivision-levels=\"40\" color-red=\"1\"/>", few);
    EXPECT_EQ(few.belt()->getNumControlPoints(), 4u);
    EXPECT_EQ(few.belt()->getSplineLevels(), 10u);
    EXPECT_EQ(few.printed,
              "Warning in CurrentBeltContainerStrategyParser::parse() - number-control-points must be at least 3, "
              "not 2; using 4.\n"
              "Warning in CurrentBeltContainerStrategyParser::parse() - subdivision-levels must be at most 10, not "
              "40; using 10.\n");

    Parsed many;
    parse(parser, L"<Strategy number-control-points=\"5000\"/>", many);
    EXPECT_EQ(many.belt()->getNumControlPoints(), 100u);
    EXPECT_NE(many.printed.find("must be at most 100, not 5000; using 100."), std::string::npos);

    // The belt fits between 0 and 150 - 20 = 130 on a 400 x 300 component.
    Parsed wide;
    parse(parser, L"<Strategy belt-width=\"140\"/>", wide);
    EXPECT_EQ(wide.belt()->getBeltWidth(), 140.0);
    EXPECT_EQ(wide.printed,
              "Warning in CurrentBeltContainerStrategyParser::parse() - belt-width 140 does not fit between 0 and 130 "
              "on this component; the belt's outlines cross.\n");
    Parsed fits;
    parse(parser, L"<Strategy belt-width=\"130\"/>", fits);
    EXPECT_EQ(fits.printed, "");
}

TEST(ContainerParsers, ObserverAndBoundedContainer) {
    CurrentObserverStrategyParser observer;
    Parsed item;
    parse(observer, L"<Strategy name=\"CurrentObserver\" anything=\"1\"/>", item);
    EXPECT_NE(dynamic_cast<CurrentObserverStrategy*>(item.component.strategy), nullptr);

    BoundedContainerStrategyParser bounded;
    Parsed box;
    parse(bounded, L"<Strategy number-control-points=\"6\" subdivision-levels=\"2\"/>", box);
    auto* s = dynamic_cast<BoundedContainerStrategy*>(box.component.strategy);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(dynamic_cast<BeltContainerStrategy*>(box.component.strategy), nullptr);
    EXPECT_EQ(s->getNumControlPoints(), 6u);
    EXPECT_EQ(s->getSplineLevels(), 2u);
}
