#include "app/TickSource.h"

#include <chrono>

std::uint32_t TickSource::getTickCount() const {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms);  // modulo 2^32: wraps like the OS tick count
}

const TickSource& TickSource::system() {
    static const TickSource source;
    return source;
}
