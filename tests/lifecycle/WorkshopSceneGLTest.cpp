// Plays the workshop example in the dravik-player program with its touch script and checks
// what the script did: cards made at the dispenser, dragged, laid on the tray or destroyed
// in the bin; photos resized; the note moved and turned.
#include <gtest/gtest.h>

#include <string>

#include "player/CardDispenserStrategy.h"
#include "support/PlayerProcess.h"
#include "support/TestStrategies.h"

namespace {

using WorkshopScene = PlayerProcessTest;

// The summary line of a component, or the empty string.
std::string lineOf(const std::string& out, unsigned long id) {
    const std::size_t at = out.find("component " + std::to_string(id) + " at (");
    return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
}

}  // namespace

// Identifiers: two touch indicators, the table, then the scene's components from 4 in file
// order (dispenser, bin, tray, corner photo, handle photo, note), the third mouse user's
// indicator (10) and the cards from 11.
TEST_F(WorkshopScene, PlaysTheScript) {
    const PlayerOutcome end = play(example("workshop.xml") + " --script " + example("workshop.touch") + " --no-overlay --frames 300");
    ASSERT_EQ(end.status, 0) << end.err;
    EXPECT_TRUE(end.err.empty()) << end.err;
    EXPECT_EQ(end.out.find("There is no registered parser"), std::string::npos) << end.out;
    EXPECT_NE(end.out.find("300 frames, 198 scripted events, 8 components"), std::string::npos) << end.out;
    EXPECT_EQ(lineOf(end.out, 11), "") << "the bin destroyed the first card";
    EXPECT_EQ(lineOf(end.out, 12), "component 12 at (720.0, 580.0), angle 0.0 degrees, size 90 x 60, in component 6");
    EXPECT_EQ(lineOf(end.out, 13), "component 13 at (450.0, 400.0), angle 0.0 degrees, size 90 x 60")
        << "the third card lies on the table";
    EXPECT_EQ(lineOf(end.out, 14), "");
    EXPECT_EQ(lineOf(end.out, 4), "component 4 at (110.0, 384.0), angle 0.0 degrees, size 150 x 150")
        << "the dispenser stays put";
    // The upper right corner followed the finger by (40, 40); the lower left stayed at (210, 80).
    EXPECT_EQ(lineOf(end.out, 7), "component 7 at (350.0, 190.0), angle 0.0 degrees, size 280 x 220");
    // The handle pulled the lower right corner by (40, -40); the upper left stayed at (580, 260).
    EXPECT_EQ(lineOf(end.out, 8), "component 8 at (720.0, 150.0), angle 0.0 degrees, size 280 x 220");

    const std::string note = lineOf(end.out, 9);
    EXPECT_TRUE(!note.empty() && note.find("angle 0.0 degrees") == std::string::npos) << "pressed at its edge, the note turned: " << note;
}

// A flood of presses on a dispenser stops at the scene's limit of components, with one line.
TEST(CardDispenser, MakesNoCardsBeyondTheScenesLimit) {
    DravikManager manager(nullptr, 0);
    VisComponent* dispenser = placeComponent(manager, 100, 100, 50, 50, {new CardDispenserStrategy(20, 10, 3)});
    testing::internal::CaptureStderr();
    for (unsigned user = 1; user <= 5; ++user) {
        DravikEvent press(eventType("PRESS"), user, 100, 100);
        dispenser->onEvent(&press);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "dravik-player: the scene holds 3 components, the most it may: the dispenser makes no more cards\n");
    EXPECT_EQ(manager.getNumberComponents(), 3u);
}
