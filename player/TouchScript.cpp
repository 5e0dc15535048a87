#include "player/TouchScript.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "framework/ConstantProvider.h"
#include "player/PlayerError.h"

namespace {

constexpr char kFormat[] = "expected 'FRAME EVENT USER X Y' or 'FIRST-LAST EVENT USER X Y X2 Y2'";

bool parseWhole(const std::string& text, unsigned& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

// USER, USER.CONTACT or ~USER.CONTACT.
bool parseUser(const std::string& text, unsigned& user, std::uint32_t& contact, bool& anonymous) {
    anonymous = !text.empty() && text[0] == '~';
    const std::string rest = text.substr(anonymous ? 1 : 0);
    const std::size_t dot = rest.find('.');
    contact = 0;
    if (dot == std::string::npos) return !anonymous && parseWhole(rest, user);
    unsigned number = 0;
    if (!parseWhole(rest.substr(0, dot), user) || !parseWhole(rest.substr(dot + 1), number) || number == 0) return false;
    contact = number;
    return true;
}

bool parseWhole(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

// The events a touch produces, and the other events of the library that a host may send
// to the component under a point (for example to switch a capture on).
bool isKnownEventName(const std::string& text) {
    static const std::set<std::string> known = {"PRESS",
                                                "DRAG",
                                                "RELEASE",
                                                "RESIZE_START",
                                                "RESIZE_END",
                                                "START_ANIMATION",
                                                "READY_TO_DIE",
                                                "ENABLE_FRAMEBUFFER_OBJECT_RENDERING",
                                                "DISABLE_FRAMEBUFFER_OBJECT_RENDERING"};
    return known.count(text) != 0;
}

}  // namespace

TouchScript TouchScript::parse(std::istream& in, const std::string& name) {
    TouchScript script;
    std::string text;
    for (std::size_t number = 1; std::getline(in, text); ++number) {
        auto fail = [&](const std::string& why) {
            throw PlayerError(name + ":" + std::to_string(number) + ": " + why);
        };
        text = text.substr(0, text.find('#'));
        std::istringstream fields(text);
        std::vector<std::string> words;
        for (std::string word; fields >> word;) words.push_back(word);
        if (words.empty()) continue;

        Line line{};
        line.order = script.lines.size();
        const std::size_t dash = words[0].find('-');
        const bool range = dash != std::string::npos;
        if (words.size() != (range ? 7u : 5u)) fail(kFormat);
        if (range) {
            if (!parseWhole(words[0].substr(0, dash), line.firstFrame) ||
                !parseWhole(words[0].substr(dash + 1), line.lastFrame))
                fail("frame range '" + words[0] + "' is not FIRST-LAST");
            if (line.lastFrame < line.firstFrame) fail("frame range '" + words[0] + "' ends before it starts");
        } else {
            if (!parseWhole(words[0], line.firstFrame)) fail("frame '" + words[0] + "' is not a number");
            line.lastFrame = line.firstFrame;
        }
        if (line.firstFrame == 0) fail("frames count from 1");
        if (!isKnownEventName(words[1]))
            fail("unknown event '" + words[1] + "' (expected PRESS, DRAG, RELEASE or another event of the library)");
        line.type = ConstantProvider::getInstance()->getEventTypeIdentifier(words[1]);
        if (!parseUser(words[2], line.user, line.contact, line.anonymous))
            fail("user '" + words[2] + "' is not USER, USER.CONTACT or ~USER.CONTACT (numbers, contacts from 1)");
        double* coordinates[4] = {&line.x0, &line.y0, &line.x1, &line.y1};
        for (std::size_t i = 3; i < words.size(); ++i)
            if (!parseWhole(words[i], *coordinates[i - 3])) fail("coordinate '" + words[i] + "' is not a finite number");
        if (!range) {
            line.x1 = line.x0;
            line.y1 = line.y0;
        }
        script.longestSpan = std::max(script.longestSpan, line.lastFrame - line.firstFrame);
        script.lines.push_back(line);
    }
    if (in.bad()) throw PlayerError("cannot read touch script " + name);
    std::stable_sort(script.lines.begin(), script.lines.end(),
                     [](const Line& a, const Line& b) { return a.firstFrame < b.firstFrame; });
    return script;
}

TouchScript TouchScript::load(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw PlayerError("cannot open touch script " + path);
    return parse(in, path);
}

void TouchScript::eventsAt(unsigned frame, std::vector<Touch>& out) const {
    // Only lines that start at most `longestSpan` frames earlier can still be running.
    const unsigned earliest = frame > longestSpan ? frame - longestSpan : 0;
    auto first = std::lower_bound(lines.begin(), lines.end(), earliest,
                                  [](const Line& l, unsigned f) { return l.firstFrame < f; });
    auto last = std::upper_bound(first, lines.end(), frame,
                                 [](unsigned f, const Line& l) { return f < l.firstFrame; });
    std::vector<const Line*> running;
    for (auto it = first; it != last; ++it)
        if (it->lastFrame >= frame) running.push_back(&*it);
    std::sort(running.begin(), running.end(), [](const Line* a, const Line* b) { return a->order < b->order; });
    for (const Line* l : running) {
        const double span = static_cast<double>(l->lastFrame - l->firstFrame);
        const double t = span > 0 ? static_cast<double>(frame - l->firstFrame) / span : 0.0;
        out.push_back({l->type, l->user, l->contact, l->anonymous, l->x0 + (l->x1 - l->x0) * t,
                       l->y0 + (l->y1 - l->y0) * t});
    }
}
