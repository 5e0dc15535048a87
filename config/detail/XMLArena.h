#pragma once

// Memory of one document; internal to the XML reader.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace detail
{

// Append-only memory for the nodes, arrays and strings of one document, freed all at once.
// Every node of the document holds one reference, so everything stays valid while any of
// them lives. Memory of replaced strings and arrays is given back only with the arena.
class XMLArena
{
public:
    XMLArena() = default;
    XMLArena(const XMLArena&) = delete;
    XMLArena& operator=(const XMLArena&) = delete;

    void* allocate(std::size_t bytes, std::size_t alignment)
    {
        std::size_t padding = static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(cursor_) & (alignment - 1));
        if (bytes + padding > available_)
        {
            addBlock(bytes + alignment);
            padding = static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(cursor_) & (alignment - 1));
        }
        void* memory = cursor_ + padding;
        cursor_ += padding + bytes;
        available_ -= padding + bytes;
        return memory;
    }
    wchar_t* allocateChars(std::size_t count)
    {
        return static_cast<wchar_t*>(allocate(count * sizeof(wchar_t), alignof(wchar_t)));
    }
    // A copy of a null-terminated string; null stays null.
    const wchar_t* copy(const wchar_t* chars);

    void retain() { ++refCount_; }
    void release()
    {
        if (--refCount_ == 0)
            delete this;
    }
    // Frees the arena with every node still in it; for when none of them can be reached.
    void discard() { delete this; }

    // What can reach the arena's nodes from outside: handles (XMLNode objects) to them, and
    // parent-child links between one of its nodes and a node of another arena. With neither,
    // no node of the arena can be reached and the arena goes at once, without a walk.
    std::size_t handles = 0;
    std::size_t foreignLinks = 0;

private:
    ~XMLArena() = default;
    void addBlock(std::size_t minimum);

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* cursor_ = nullptr;
    std::size_t available_ = 0;
    std::size_t nextBlockSize_ = 16384;
    int refCount_ = 0;
};

} // namespace detail
