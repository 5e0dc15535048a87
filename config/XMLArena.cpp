#include "config/detail/XMLArena.h"

#include <algorithm>
#include <cstdint>

namespace detail
{

void* XMLArena::allocate(std::size_t bytes, std::size_t alignment)
{
    std::size_t padding = static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(cursor_) & (alignment - 1));
    if (bytes + padding > available_)
    {
        // Blocks grow with the document but stay small enough to be recycled by malloc
        // instead of being mapped afresh for every document.
        const std::size_t size = std::max(bytes + alignment, nextBlockSize_);
        nextBlockSize_ = std::min<std::size_t>(nextBlockSize_ * 2, 1u << 20);
        blocks_.emplace_back(new std::byte[size]);
        cursor_ = blocks_.back().get();
        available_ = size;
        padding = static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(cursor_) & (alignment - 1));
    }
    void* memory = cursor_ + padding;
    cursor_ += padding + bytes;
    available_ -= padding + bytes;
    return memory;
}

} // namespace detail
