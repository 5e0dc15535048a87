#include "framework/ConstantProvider.h"

#include <utility>

ConstantProvider* ConstantProvider::instance = nullptr;

namespace {

std::uint32_t intern(std::map<std::string, std::uint32_t>& registry, std::uint32_t& next,
                     std::string&& name) {
    auto [entry, inserted] = registry.try_emplace(std::move(name), next);
    if (inserted) ++next;
    return entry->second;
}

}  // namespace

ConstantProvider* ConstantProvider::getInstance() {
    // Lives until the process ends: strategies may intern names from destructors of statics.
    if (instance == nullptr) instance = new ConstantProvider();
    return instance;
}

std::uint32_t ConstantProvider::getBufferTypeIdentifier(std::string name) {
    return intern(bufferTypeIdentifiers, nextBufferTypeIdentifier, std::move(name));
}

std::uint32_t ConstantProvider::getButtonBufferValue(std::string name) {
    return intern(buttonBufferValues, nextButtonBufferValue, std::move(name));
}

std::uint32_t ConstantProvider::getEventTypeIdentifier(std::string name) {
    return intern(eventTypeIdentifiers, nextEventTypeIdentifier, std::move(name));
}

std::string ConstantProvider::getEventTypeName(std::uint32_t identifier) const {
    for (const auto& [name, number] : eventTypeIdentifiers)
        if (number == identifier) return name;
    return {};
}
