#include "player/TouchRecorder.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "framework/ConstantProvider.h"
#include "player/PlayerError.h"

namespace {

// The shortest text that reads back as the same double.
void writeNumber(std::ostream& out, double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    out.write(text, error == std::errc() ? end - text : 0);
}

}  // namespace

TouchRecorder::TouchRecorder(const std::string& path, std::ostream& errors)
    : path(path), out(path, std::ios::out | std::ios::trunc), errors(errors) {
    if (!out) throw PlayerError("cannot write touch recording " + path + ": " + std::strerror(errno));
    ConstantProvider* names = ConstantProvider::getInstance();
    pressType = names->getEventTypeIdentifier("PRESS");
    dragType = names->getEventTypeIdentifier("DRAG");
    releaseType = names->getEventTypeIdentifier("RELEASE");
    out << "# Touches recorded by dravik-player: FRAME EVENT USER[.CONTACT] X Y (replay with --script)\n";
}

void TouchRecorder::record(unsigned frame, unsigned type, unsigned user, std::uint64_t contact, bool anonymous,
                           double x, double y) {
    if (!recording) return;
    const char* name = type == pressType ? "PRESS" : type == dragType ? "DRAG" : type == releaseType ? "RELEASE" : nullptr;
    if (name == nullptr) return;
    const auto key = std::make_pair(user, contact);
    auto written = contactNumbers.find(key);
    if (written == contactNumbers.end()) {
        // A named user's only contact is written as the user alone, as scripts without
        // contacts have it; every other contact gets the next number.
        const bool alone = !anonymous && std::none_of(contactNumbers.begin(), contactNumbers.end(),
                                                      [&](const auto& c) { return c.first.first == user; });
        written = contactNumbers.emplace(key, alone ? 0 : ++lastContactNumber).first;
    }
    out << frame << ' ' << name << ' ' << (anonymous ? "~" : "") << user;
    if (written->second != 0) out << '.' << written->second;
    if (type == releaseType) contactNumbers.erase(written);
    out << ' ';
    writeNumber(out, x);
    out << ' ';
    writeNumber(out, y);
    out << '\n';
}

void TouchRecorder::endFrame() {
    if (!recording) return;
    out.flush();
    if (out) return;
    recording = false;
    errors << "dravik-player: cannot write touch recording " << path << " (" << std::strerror(errno)
           << "); recording stopped, the run goes on\n";
}
