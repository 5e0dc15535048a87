#include "config/detail/XMLArena.h"

#include <algorithm>
#include <cwchar>

namespace detail
{

void XMLArena::addBlock(std::size_t minimum)
{
    // Blocks grow with the document but stay small enough for malloc to recycle them instead
    // of mapping fresh pages for every document.
    const std::size_t size = std::max(minimum, nextBlockSize_);
    nextBlockSize_ = std::min<std::size_t>(nextBlockSize_ * 2, std::size_t(1) << 20);
    blocks_.emplace_back(new std::byte[size]);
    cursor_ = blocks_.back().get();
    available_ = size;
}

const wchar_t* XMLArena::copy(const wchar_t* chars)
{
    if (!chars)
        return nullptr;
    const std::size_t count = std::wcslen(chars) + 1;
    return std::wmemcpy(allocateChars(count), chars, count);
}

} // namespace detail
