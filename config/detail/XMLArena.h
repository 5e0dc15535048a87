#pragma once

// Memory for one parsed document; internal to the XML reader.

#include <cstddef>
#include <memory>
#include <vector>

namespace detail
{

// Append-only memory for the nodes, arrays and strings of one parsed document, freed all at
// once. Every node parsed from the document holds one reference, so everything stays valid
// while any of those nodes lives.
class XMLArena
{
public:
    XMLArena() = default;
    XMLArena(const XMLArena&) = delete;
    XMLArena& operator=(const XMLArena&) = delete;

    void* allocate(std::size_t bytes, std::size_t alignment);
    wchar_t* allocateChars(std::size_t count)
    {
        return static_cast<wchar_t*>(allocate(count * sizeof(wchar_t), alignof(wchar_t)));
    }

    void retain() { ++refCount_; }
    void release()
    {
        if (--refCount_ == 0)
            delete this;
    }

private:
    ~XMLArena() = default;

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* cursor_ = nullptr;
    std::size_t available_ = 0;
    std::size_t nextBlockSize_ = 16384;
    int refCount_ = 0;
};

// Allocates from an arena, whose memory is given back only with the arena; without an arena,
// from the free store.
template <typename T> class XMLAllocator
{
public:
    using value_type = T;

    explicit XMLAllocator(XMLArena* arena = nullptr) noexcept : arena_(arena) {}
    template <typename U> XMLAllocator(const XMLAllocator<U>& other) noexcept : arena_(other.arena()) {}

    T* allocate(std::size_t count)
    {
        if (arena_)
            return static_cast<T*>(arena_->allocate(count * sizeof(T), alignof(T)));
        return std::allocator<T>().allocate(count);
    }
    void deallocate(T* items, std::size_t count) noexcept
    {
        if (!arena_)
            std::allocator<T>().deallocate(items, count);
    }

    XMLArena* arena() const noexcept { return arena_; }
    friend bool operator==(const XMLAllocator& a, const XMLAllocator& b) noexcept { return a.arena_ == b.arena_; }
    friend bool operator!=(const XMLAllocator& a, const XMLAllocator& b) noexcept { return a.arena_ != b.arena_; }

private:
    XMLArena* arena_;
};

template <typename T> using XMLVector = std::vector<T, XMLAllocator<T>>;

} // namespace detail
