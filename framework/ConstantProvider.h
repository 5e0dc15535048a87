#ifndef DRAVIK_FRAMEWORK_CONSTANTPROVIDER_H
#define DRAVIK_FRAMEWORK_CONSTANTPROVIDER_H

#include <cstdint>
#include <map>
#include <string>

#include "framework/Export.h"

// Process-wide registry that turns names of buffer types, button areas and event types into
// small numbers. A name gets a new number the first time it is asked for and the same number
// ever after, so strategies agree on numbers without knowing each other. Numbers depend on
// the order of first use: valid within one run only, never stored.
class DRAVIK_API ConstantProvider {
public:
    static ConstantProvider* getInstance();

    std::uint32_t getBufferTypeIdentifier(std::string name);  // first new name: 1
    std::uint32_t getButtonBufferValue(std::string name);     // first new name: 0
    std::uint32_t getEventTypeIdentifier(std::string name);   // first new name: 3

    ConstantProvider(const ConstantProvider&) = default;
    ConstantProvider& operator=(const ConstantProvider&) = default;
    ~ConstantProvider() = default;

protected:
    ConstantProvider() = default;

private:
    std::map<std::string, std::uint32_t> bufferTypeIdentifiers;
    std::uint32_t nextBufferTypeIdentifier = 1;
    std::map<std::string, std::uint32_t> buttonBufferValues;
    std::uint32_t nextButtonBufferValue = 0;
    std::map<std::string, std::uint32_t> eventTypeIdentifiers;
    std::uint32_t nextEventTypeIdentifier = 3;

    static ConstantProvider* instance;
};

#endif
