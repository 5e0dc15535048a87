#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/ConstantProvider.h"
#include "player/PlayerError.h"
#include "player/TouchScript.h"

namespace {

TouchScript parse(const std::string& text) {
    std::istringstream in(text);
    return TouchScript::parse(in, "test.touch");
}

std::vector<TouchScript::Touch> at(const TouchScript& script, unsigned frame) {
    std::vector<TouchScript::Touch> out;
    script.eventsAt(frame, out);
    return out;
}

unsigned type(const char* name) { return ConstantProvider::getInstance()->getEventTypeIdentifier(name); }

}  // namespace

TEST(TouchScript, ReplaysEventsAndRangesInFileOrder) {
    const TouchScript script = parse(
        "# a comment line\n"
        "\n"
        "  3 PRESS 1 10 20   # trailing comment\r\n"
        "4-8 DRAG 1 10 20 50 -20\n"
        "6 PRESS 2 1.5 2.5e2\n"
        "2 DRAG 7 0 0\n"
        "9 RELEASE 1 50 -20\n"
        "6 RELEASE 2 -1 -2\n");
    EXPECT_EQ(script.size(), 6u);
    EXPECT_TRUE(at(script, 1).empty());
    // Each touch as "TYPE user x,y".
    auto said = [&](unsigned frame) {
        std::ostringstream out;
        out.precision(17);
        for (const TouchScript::Touch& t : at(script, frame))
            out << (t.type == type("PRESS") ? 'P' : t.type == type("DRAG") ? 'D' : t.type == type("RELEASE") ? 'R' : '?') << t.user
                << ' ' << t.x << ',' << t.y << ' ';
        return out.str();
    };
    EXPECT_EQ(said(2), "D7 0,0 ");
    EXPECT_EQ(said(4), "D1 10,20 ");
    // The running drag, then the two lines of frame 6 as written.
    EXPECT_EQ(said(6), "D1 30,0 P2 1.5,250 R2 -1,-2 ");
    EXPECT_EQ(said(8), "D1 50,-20 ");
    EXPECT_EQ(at(script, 9).size(), 1u);
    EXPECT_TRUE(at(script, 10).empty());

    // A range over nearly every frame is replayed without being spelled out.
    const TouchScript longest = parse("1-4294967295 DRAG 1 0 0 4294967294 0\n");
    ASSERT_EQ(at(longest, 4294967295u).size(), 1u);
    EXPECT_DOUBLE_EQ(at(longest, 4294967295u)[0].x, 4294967294.0);
    EXPECT_DOUBLE_EQ(at(longest, 1001)[0].x, 1000.0);
}

TEST(TouchScript, MalformedLinesNameTheirLine) {
    const std::pair<const char*, const char*> bad[] = {
        {"PRESS 1 10 20", "expected"},
        {"1 PRESS 1 10", "expected"},
        {"1 PRESS 1 10 20 30 40", "expected"},
        {"1-5 DRAG 1 10 20", "expected"},
        {"x PRESS 1 10 20", "frame 'x'"},
        {"0 PRESS 1 10 20", "frames count from 1"},
        {"-3 PRESS 1 10 20", "expected"},
        {"5-2 DRAG 1 0 0 1 1", "ends before it starts"},
        {"4294967296 PRESS 1 0 0", "frame"},
        {"1 PRE$$ 1 10 20", "unknown event 'PRE$$'"},
        {"1 CUSTOM_EVENT 1 10 20", "unknown event 'CUSTOM_EVENT'"},
        {"1 press 1 10 20", "unknown event 'press' (expected PRESS, DRAG, RELEASE or another event of the library)"},
        {"1 PRESS -1 10 20", "user '-1'"},
        {"1 PRESS 1 nan 20", "coordinate 'nan'"},
        {"1 PRESS 1 10 1e999", "coordinate '1e999'"},
        {"1 PRESS 1 10 20x", "coordinate '20x'"},
    };
    for (const auto& [line, reason] : bad) {
        try {
            parse("# header\n1 PRESS 1 0 0\n" + std::string(line) + "\n");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const PlayerError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("test.touch:3: ", 0), 0u) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
    }
    EXPECT_THROW(TouchScript::load("/no/such/script.touch"), PlayerError);
}
