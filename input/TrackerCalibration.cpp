#include "input/TrackerCalibration.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "input/InputError.h"

namespace {

// The number at the start of `text`, which it then leaves; false when there is none.
bool readNumber(std::string_view& text, double& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

bool readSeparated(std::string_view& text, char separator, double& value) {
    if (text.empty() || text.front() != separator) return false;
    text.remove_prefix(1);
    return readNumber(text, value);
}

void readArea(std::string_view text, TrackerCalibration& c) {
    const std::string_view given = text;
    if (!readNumber(text, c.width) || !readSeparated(text, 'x', c.height) || !readSeparated(text, '+', c.left) ||
        !readSeparated(text, '+', c.top) || !text.empty())
        throw InputError("the tracker area expects WIDTHxHEIGHT+LEFT+TOP in the tracker's 0 to 1 units, not '" +
                         std::string(given) + "'");
    if (!c.isValid())
        throw InputError("the tracker area '" + std::string(given) + "' has no size: width and height must be above 0");
}

}  // namespace

TrackerCalibration TrackerCalibration::parse(const std::string& text) {
    TrackerCalibration c;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (item == "flip-x") c.flipX = !c.flipX;
        else if (item == "flip-y") c.flipY = !c.flipY;
        else if (item == "turn-90") c.quarterTurns = (c.quarterTurns + 1) % 4;
        else if (item == "turn-180") c.quarterTurns = (c.quarterTurns + 2) % 4;
        else if (item == "turn-270") c.quarterTurns = (c.quarterTurns + 3) % 4;
        else if (item.substr(0, 5) == "area=") readArea(item.substr(5), c);
        else
            throw InputError("unknown tracker calibration '" + std::string(item) +
                             "' (flip-x, flip-y, turn-90, turn-180, turn-270, area=WxH+LEFT+TOP)");
    }
    return c;
}

bool TrackerCalibration::isValid() const {
    return std::isfinite(left) && std::isfinite(top) && std::isfinite(width) && std::isfinite(height) &&
           width > 0.0 && height > 0.0;
}

bool TrackerCalibration::isIdentity() const {
    return left == 0.0 && top == 0.0 && width == 1.0 && height == 1.0 && !flipX && !flipY && quarterTurns % 4 == 0;
}

bool TrackerCalibration::apply(double& x, double& y) const {
    if (!isValid()) return false;
    double u = (x - left) / width, v = (y - top) / height;
    if (!(u >= 0.0 && u <= 1.0 && v >= 0.0 && v <= 1.0)) return false;
    if (flipX) u = 1.0 - u;
    if (flipY) v = 1.0 - v;
    for (unsigned turn = 0; turn < quarterTurns % 4; ++turn) {
        const double turned = 1.0 - v;  // clockwise, y down: (u, v) becomes (1 - v, u)
        v = u;
        u = turned;
    }
    x = u;
    y = v;
    return true;
}
