#include "wall/WallFaults.h"

#include <charconv>

#include "player/PlayerError.h"

namespace {

bool toNumber(const std::string& text, unsigned& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

}  // namespace

std::vector<WallFault> WallFault::parse(const std::vector<std::string>& texts) {
    std::vector<WallFault> faults;
    for (const std::string& text : texts) {
        const std::size_t first = text.find(':'), second = text.find(':', first + 1);
        WallFault fault{Kind::Exit, 0, 0};
        const std::string kind = text.substr(0, first);
        bool ok = first != std::string::npos && second != std::string::npos &&
                  toNumber(text.substr(first + 1, second - first - 1), fault.rank) &&
                  toNumber(text.substr(second + 1), fault.frame);
        if (kind == "perturb") fault.kind = Kind::Perturb;
        else if (kind == "stall") fault.kind = Kind::Stall;
        else ok = ok && kind == "exit";
        if (!ok) throw PlayerError("--wall-test-fault expects exit, perturb or stall:RANK:FRAME, not '" + text + "'");
        faults.push_back(fault);
    }
    return faults;
}
