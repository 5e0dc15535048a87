#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "appearance/BorderStrategy.h"
#include "appearance/GradientBorderStrategy.h"
#include "appearance/ImageStrategy.h"
#include "config/BorderStrategyParser.h"
#include "config/BoundedContainerStrategyParser.h"
#include "config/CurrentBeltContainerStrategyParser.h"
#include "config/CurrentObserverStrategyParser.h"
#include "config/FrictionSurfaceStrategyParser.h"
#include "config/GradientBorderStrategyParser.h"
#include "config/ImageStrategyParser.h"
#include "config/InfovisContainerStrategyParser.h"
#include "config/Resizer4ButtonStrategyParser.h"
#include "config/ResizerHandleStrategyParser.h"
#include "config/XMLNode.h"
#include "containers/CurrentBeltContainerStrategy.h"
#include "containers/CurrentObserverStrategy.h"
#include "framework/VisComponent.h"
#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/Resizer4ButtonStrategy.h"
#include "manipulation/ResizerHandleStrategy.h"

namespace {

// A 400 x 300 component and the diagnostics of the parsers that parse onto it; nothing may
// reach standard output.
struct Parsed {
    VisComponent component;
    std::vector<std::string> said;

    Parsed() {
        component.width = 400;
        component.height = 300;
    }
    template <class Strategy>
    Strategy* parse(StrategyParser& parser, const std::wstring& element) {
        parser.setDiagnosticHandler([this](const XMLNode&, const std::string& line) { said.push_back(line); });
        testing::internal::CaptureStdout();
        parser.parse(XMLNode::parseString(element.c_str()), &component);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        return dynamic_cast<Strategy*>(component.strategy);
    }
};

std::vector<double> rgba(const double* c) { return {c[0], c[1], c[2], c[3]}; }

// Width, control points, curve levels and whether the control points show.
std::tuple<double, unsigned, unsigned, bool> beltOf(const CurrentBeltContainerStrategy* s) {
    return {s->getBeltWidth(), s->getNumControlPoints(), s->getSplineLevels(), s->getDisplayControlPoints()};
}

std::vector<unsigned> corners(const Resizer4ButtonStrategy* s) {
    return {s->getCorner(0), s->getCorner(1), s->getCorner(2), s->getCorner(3)};
}

}  // namespace

TEST(StrategyParsers, PushTheirStrategies) {
    // Translation and RNT are checked where scenes build them; the bin where the workshop plays.
    Parsed p;
    CurrentObserverStrategyParser observer;
    InfovisContainerStrategyParser infovis;
    EXPECT_NE(p.parse<CurrentObserverStrategy>(observer, L"<Strategy anything='1'/>"), nullptr);
    EXPECT_NE(p.parse<InfovisContainerStrategy>(infovis, L"<Strategy/>"), nullptr);

    ImageStrategyParser image;
    EXPECT_EQ(p.parse<ImageStrategy>(image, L"<Strategy/>")->getTextureName(), 1u);
    EXPECT_EQ(p.parse<ImageStrategy>(image, L"<Strategy texture-id='7'/>")->getTextureName(), 7u);
    EXPECT_EQ(p.parse<ImageStrategy>(image, L"<Strategy texture-id='?'/>")->getTextureName(), 0u)
        << "no texture manager yet";
    EXPECT_TRUE(p.said.empty());
}

// Colours need all four channels; a channel outside 0 to 1 is taken as the nearer end, with
// a diagnostic. "Border" reads its channels in single precision, the others in double.
TEST(StrategyParsers, ColoursNeedAllFourChannels) {
    Parsed p;
    BorderStrategyParser border;
    auto* b = p.parse<BorderStrategy>(border, L"<Strategy COLOR-RED='0.1' color-green='0.5' color-blue='0' "
                                              L"color-alpha='1' selected-red='0' selected-green='0' selected-blue='0'/>");
    EXPECT_EQ(rgba(b->getColor()), (std::vector<double>{0.1f, 0.5, 0, 1}));
    EXPECT_EQ(rgba(b->getSelectedColor()), (std::vector<double>{1, 1, 1, 1})) << "three of four change nothing";
    b = p.parse<BorderStrategy>(border, L"<Strategy color-red='?' color-green='1.5' color-blue='-2' color-alpha='1'/>");
    EXPECT_EQ(b->getColor()[1], 1.0);
    EXPECT_EQ(b->getColor()[2], 0.0);
    EXPECT_EQ(p.said, (std::vector<std::string>{
                          "Warning in BorderStrategyParser::parse() - color-green 1.5 lies outside 0 to 1; it is taken as 1.",
                          "Warning in BorderStrategyParser::parse() - color-blue -2 lies outside 0 to 1; it is taken as 0."}));

    ResizerHandleStrategyParser handle;
    auto* h = p.parse<ResizerHandleStrategy>(handle, L"<Strategy color-red='0.1' color-green='0.25' color-blue='?0-0' "
                                                     L"color-alpha='1' selected-red='0'/>");
    EXPECT_EQ(rgba(h->getColor()), (std::vector<double>{0.1, 0.25, 0, 1}));
    EXPECT_EQ(rgba(h->getSelectedColor()), (std::vector<double>{1, 1, 1, 1}));
}

// Widths and whole numbers out of range are reported with the value taken: a band wider than
// any display, a friction band of "inf" or -1e308 cells.
TEST(StrategyParsers, ReportValuesThatCannotBeMeant) {
    Parsed p;
    GradientBorderStrategyParser gradient;
    auto* band = p.parse<GradientBorderStrategy>(
        gradient, L"<Strategy border-width='500' color-red='0.1' color-green='0.2' color-blue='0.3' color-alpha='0.4'/>");
    EXPECT_EQ(band->getBorderWidth(), 500.0) << "wider than the component is allowed";
    EXPECT_EQ(rgba(band->getColor()), (std::vector<double>{0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(p.parse<GradientBorderStrategy>(gradient, L"<Strategy border-width='16384'/>")->getBorderWidth(), 16384.0);
    for (const std::string width : {"-3", "abc", "1e7", "1e308"}) {
        band = p.parse<GradientBorderStrategy>(gradient, L"<Strategy border-width='" +
                                                            std::wstring(width.begin(), width.end()) + L"'/>");
        EXPECT_EQ(band->getBorderWidth(), 5.0);
        EXPECT_EQ(p.said.back(), "Warning in GradientBorderStrategyParser::parse() - border-width \"" + width +
                                     "\" is not a positive number of at most 16384; the width stays 5.");
    }
    p.said.clear();

    // Whole numbers are truncated through 64 bits, of which the low 32 remain.
    FrictionSurfaceStrategyParser friction;
    auto* surface = p.parse<FrictionSurfaceStrategy>(friction, L"<Strategy BORDER-WIDTH='7.9' border-height='?2-5'/>");
    EXPECT_EQ(surface->getBorderWidth(), 7u);
    EXPECT_TRUE(surface->getBorderHeight() >= 2u && surface->getBorderHeight() <= 5u) << surface->getBorderHeight();
    EXPECT_TRUE(p.said.empty());
    const struct {
        const char* text;
        unsigned taken;
    } wrapped[] = {{"inf", 0}, {"-1e308", 0}, {"-1", 4294967295u}, {"-100.7", 4294967196u}, {"4294967297", 1}, {"nan", 0}};
    for (const auto& [text, taken] : wrapped) {
        const std::string t(text);
        surface = p.parse<FrictionSurfaceStrategy>(friction, L"<Strategy border-height='" + std::wstring(t.begin(), t.end()) + L"'/>");
        EXPECT_EQ(surface->getBorderHeight(), taken) << text;
        EXPECT_EQ(surface->getBorderWidth(), 20u);
        EXPECT_EQ(p.said.back(), "Warning in FrictionSurfaceStrategyParser::parse() - border-height \"" + t +
                                     "\" is not a whole number from 0 to 4294967295; it is taken as " +
                                     std::to_string(taken) + ".");
    }
    EXPECT_EQ(p.said.size(), std::size(wrapped));
}

TEST(StrategyParsers, BeltAttributesAndTheirLimits) {
    Parsed p;
    CurrentBeltContainerStrategyParser parser;
    EXPECT_EQ(beltOf(p.parse<CurrentBeltContainerStrategy>(parser, L"<Strategy/>")), std::make_tuple(100.0, 4u, 4u, true));
    auto* s = p.parse<CurrentBeltContainerStrategy>(
        parser, L"<Strategy belt-width='80.5' number-control-points='7.9' subdivision-levels='3' "
                L"display-control-points='false' color-red='0.1' color-green='0.2' color-blue='0.3' color-alpha='0.4' "
                L"BORDER-red='1' border-green='0' border-blue='0' border-alpha='1' selected-red='0.5'/>");
    EXPECT_EQ(beltOf(s), std::make_tuple(80.5, 7u, 3u, false));
    EXPECT_EQ(std::make_pair(s->getColor()[2], s->getBorderColor()[0]), std::make_pair(0.3, 1.0));
    EXPECT_TRUE(p.parse<CurrentBeltContainerStrategy>(parser, L"<Strategy display-control-points='true'/>")
                    ->getDisplayControlPoints());
    EXPECT_TRUE(p.said.empty());

    // The belt fits between 0 and 150 - 20 = 130 on a 400 x 300 component; 100 control points
    // at 10 levels would make 102400 points, so the curve keeps 3 levels (800 points).
    s = p.parse<CurrentBeltContainerStrategy>(
        parser, L"<Strategy number-control-points='2' subdivision-levels='40' belt-width='140'/>");
    EXPECT_EQ(std::make_pair(s->getNumControlPoints(), s->getSplineLevels()), std::make_pair(4u, 10u));
    s = p.parse<CurrentBeltContainerStrategy>(parser, L"<Strategy number-control-points='5000' subdivision-levels='10'/>");
    EXPECT_EQ(s->getNumControlPoints(), 100u);
    const std::string warning = "Warning in CurrentBeltContainerStrategyParser::parse() - ";
    EXPECT_EQ(p.said, (std::vector<std::string>{
                          warning + "belt-width 140 does not fit between 0 and 130 on this component; the belt's "
                                    "outlines cross.",
                          warning + "number-control-points must be at least 3, not 2; using 4.",
                          warning + "subdivision-levels must be at most 10, not 40; using 10.",
                          warning + "4 control points at 10 subdivision levels make more than 1024 points; "
                                    "the curve takes 8 levels.",
                          warning + "number-control-points must be at most 100, not 5000; using 100.",
                          warning + "100 control points at 10 subdivision levels make more than 1024 points; "
                                    "the curve takes 3 levels."}));
    BoundedContainerStrategyParser bounded;
    EXPECT_EQ(p.parse<BoundedContainerStrategy>(bounded, L"<Strategy number-control-points='6'/>")->getNumControlPoints(), 6u);
}

TEST(StrategyParsers, CornersSwitchedOffStayOffForLaterStrategies) {
    Parsed p;
    Resizer4ButtonStrategyParser parser;
    auto* first = p.parse<Resizer4ButtonStrategy>(
        parser, L"<Strategy topleft='0' topright='5' bottomright='x' buttonsize='12.9' keepAspect='true'/>");
    EXPECT_EQ(corners(first), (std::vector<unsigned>{0, 1, 0, 1})) << "text that is no number is 0";
    EXPECT_EQ(std::make_pair(first->getButtonSize(), first->getKeepAspect()), std::make_pair(12u, true));
    auto* second = p.parse<Resizer4ButtonStrategy>(parser, L"<Strategy bottomleft='0' keepAspect='True'/>");
    EXPECT_EQ(corners(second), (std::vector<unsigned>{0, 0, 0, 1}));
    EXPECT_EQ(std::make_pair(second->getButtonSize(), second->getKeepAspect()), std::make_pair(70u, false));

    // Random corners draw in the order top-left, top-right, bottom-left, bottom-right: with a
    // seed whose first draw is 0 and second is not, "topright" is the corner switched off.
    unsigned seed = 1;
    for (;; ++seed) {
        std::srand(seed);
        if (std::rand() % 32768 == 0 && std::rand() % 32768 != 0) break;
    }
    std::srand(seed);
    Resizer4ButtonStrategyParser drawn;
    EXPECT_EQ(corners(p.parse<Resizer4ButtonStrategy>(drawn, L"<Strategy bottomleft='?' topright='?'/>")),
              (std::vector<unsigned>{1, 1, 1, 0}));
}
