#pragma once

// Names of one document being parsed; internal to the XML reader.

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
    // The stored name for [begin, end); store(begin, end) makes it when it is new.
    template <typename Store> const wchar_t* intern(const CharT* begin, const CharT* end, Store store)
    {
        const auto length = static_cast<std::size_t>(end - begin);
        if (length > maxLength)
            return store(begin, end);
        std::uint32_t hash = 2166136261u; // FNV-1a
        for (const CharT* p = begin; p != end; ++p)
            hash = (hash ^ static_cast<std::uint32_t>(*p)) * 16777619u;
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
            if (slot.hash == hash && slot.length == length && sameCharacters(begin, slot.source, length))
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

    // Names are short: a plain loop beats a call to memcmp.
    static bool sameCharacters(const CharT* a, const CharT* b, std::size_t length)
    {
        for (std::size_t i = 0; i < length; ++i)
            if (a[i] != b[i])
                return false;
        return true;
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

    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

} // namespace detail
