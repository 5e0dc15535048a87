#pragma once

// Arrays of node content; internal to the XML reader.

#include "config/detail/XMLArena.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace detail
{

// A growable array in arena memory, small enough to keep several in every node.
template <typename T> class XMLArray
{
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    // Content positions are packed into 30 bits (see orderEntry), so arrays stay below that.
    static constexpr std::size_t maxSize = std::size_t(1) << 30;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    T* begin() { return items_; }
    T* end() { return items_ + size_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + size_; }
    T& front() { return items_[0]; }
    const T& front() const { return items_[0]; }

    void push_back(XMLArena& arena, const T& item)
    {
        if (size_ == capacity_)
            grow(arena, size_ + 1);
        items_[size_++] = item;
    }
    void insert(XMLArena& arena, std::size_t index, const T& item)
    {
        if (size_ == capacity_)
            grow(arena, size_ + 1);
        std::memmove(items_ + index + 1, items_ + index, (size_ - index) * sizeof(T));
        items_[index] = item;
        ++size_;
    }
    void erase(std::size_t index)
    {
        std::memmove(items_ + index, items_ + index + 1, (size_ - index - 1) * sizeof(T));
        --size_;
    }
    void clear() { size_ = 0; }
    // Room for exactly `capacity` items in an empty array (no growth beyond it).
    void reserveExactly(XMLArena& arena, std::size_t capacity)
    {
        if (capacity > capacity_ && capacity <= maxSize)
        {
            items_ = static_cast<T*>(arena.allocate(capacity * sizeof(T), alignof(T)));
            capacity_ = static_cast<std::uint32_t>(capacity);
        }
    }

private:
    void grow(XMLArena& arena, std::size_t minimum)
    {
        if (minimum > maxSize)
            throw std::length_error("XML node content too large");
        std::size_t capacity = std::max({std::size_t(4), 2 * std::size_t(capacity_), minimum});
        capacity = std::min(capacity, maxSize);
        T* items = static_cast<T*>(arena.allocate(capacity * sizeof(T), alignof(T)));
        if (size_)
            std::memcpy(items, items_, size_ * sizeof(T));
        items_ = items;
        capacity_ = static_cast<std::uint32_t>(capacity);
    }

    T* items_ = nullptr;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};

} // namespace detail
