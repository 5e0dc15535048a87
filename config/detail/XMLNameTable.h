#pragma once

// Names of one document being parsed; internal to the XML reader.

#include "config/detail/XMLCharacters.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace detail
{

// Element and attribute names repeat all through a document, so each distinct name is
// converted and stored only once. Names are looked up by their characters in the text.
template <typename CharT> class XMLNameTable
{
public:
    // Names are looked up in the text that ends at textEnd.
    explicit XMLNameTable(const CharT* textEnd) : textEnd_(textEnd) {}

    // The stored name for [begin, end); store(begin, end) makes it when it is new.
    template <typename Store> const wchar_t* intern(const CharT* begin, const CharT* end, Store store)
    {
        const auto length = static_cast<std::size_t>(end - begin);
        if (length > maxLength)
            return store(begin, end);
        const std::uint32_t hash = hashOf(begin, length);
        if (2 * (used_ + 1) > slots_.size())
            grow();
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = hash & mask;
        // Probes are bounded, so names made to collide cost no more than storing them.
        for (int probe = 0; probe < maxProbes; ++probe, i = (i + 1) & mask)
        {
            Slot& slot = slots_[i];
            if (!slot.name)
            {
                slot = {begin, length, hash, store(begin, end)};
                ++used_;
                return slot.name;
            }
            if (slot.hash == hash && slot.length == length && sameCharacters(begin, slot.source, length, textEnd_))
                return slot.name;
        }
        return store(begin, end);
    }

private:
    struct Slot
    {
        const CharT* source = nullptr;
        std::size_t length = 0;
        std::uint32_t hash = 0;
        const wchar_t* name = nullptr;
    };
    static constexpr std::size_t maxLength = 64;
    static constexpr int maxProbes = 32;

    // The length and the first and last two characters, mixed: enough to tell the names of
    // a document apart without a loop over every character (names that share all of these
    // are told apart by their characters, within the bounded probes).
    static std::uint32_t hashOf(const CharT* p, std::size_t length)
    {
        auto at = [&](std::size_t i) { return static_cast<std::uint32_t>(p[i]); };
        std::uint32_t hash = static_cast<std::uint32_t>(length) * 0x9E3779B1u;
        if (length > 0)
            hash ^= (at(0) | at(length - 1) << 16) * 0x85EBCA77u;
        if (length > 2)
            hash ^= (at(1) | at(length - 2) << 16) * 0xC2B2AE3Du;
        hash ^= hash >> 15;
        hash *= 0x2C1B3C6Du;
        return hash ^ hash >> 13;
    }

    void grow()
    {
        std::vector<Slot> old(slots_.empty() ? 128 : 2 * slots_.size());
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (const Slot& slot : old)
            if (slot.name)
            {
                std::size_t i = slot.hash & mask;
                while (slots_[i].name)
                    i = (i + 1) & mask;
                slots_[i] = slot;
            }
    }

    const CharT* textEnd_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

} // namespace detail
