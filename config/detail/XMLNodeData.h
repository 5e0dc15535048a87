#pragma once

// Internal representation behind XMLNode handles.

#include <cstddef>
#include <memory>
#include <vector>

namespace detail
{

// Append-only storage for the strings of one parsed document. Every node parsed from the
// document holds one reference, so strings stay valid while any of those nodes lives.
class XMLStringPool
{
public:
    explicit XMLStringPool(std::size_t firstBlockSize);
    XMLStringPool(const XMLStringPool&) = delete;
    XMLStringPool& operator=(const XMLStringPool&) = delete;

    wchar_t* allocate(std::size_t count);
    void retain() { ++refCount_; }
    void release()
    {
        if (--refCount_ == 0)
            delete this;
    }

private:
    ~XMLStringPool() = default;

    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    wchar_t* cursor_ = nullptr;
    std::size_t available_ = 0;
    int refCount_ = 0;
};

// A null-terminated string of a node: borrowed from a string pool or a static table, or owned
// (strings set by the editing operations).
class XMLText
{
public:
    XMLText() = default;
    static XMLText borrow(const wchar_t* chars);
    static XMLText copyOf(const wchar_t* chars); // null stays null
    XMLText(XMLText&& other) noexcept;
    XMLText& operator=(XMLText&& other) noexcept;
    ~XMLText();

    const wchar_t* get() const { return chars_; }

private:
    const wchar_t* chars_ = nullptr;
    bool owned_ = false;
};

struct XMLAttributeData
{
    XMLText name;
    XMLText value;
};

struct XMLClearData
{
    XMLText value;
    XMLText openTag;
    XMLText closeTag;
};

enum class XMLContentKind : unsigned
{
    Child = 0,
    Text = 1,
    Clear = 2
};

// One entry of the document order: the kind in the low two bits, the index within its kind above.
inline unsigned orderEntry(XMLContentKind kind, std::size_t index)
{
    return static_cast<unsigned>(index << 2) | static_cast<unsigned>(kind);
}
inline XMLContentKind orderKind(unsigned entry) { return static_cast<XMLContentKind>(entry & 3u); }
inline std::size_t orderIndex(unsigned entry) { return entry >> 2; }

struct XMLNodeData
{
    XMLText name;
    bool isDeclaration = false;
    XMLNodeData* parent = nullptr;
    std::vector<XMLNodeData*> children; // each child counts this reference in its refCount
    std::vector<XMLAttributeData> attributes;
    std::vector<XMLText> texts;
    std::vector<XMLClearData> clears;
    std::vector<unsigned> order;
    int refCount = 0;
    XMLStringPool* pool = nullptr; // where the parsed strings live; null for built nodes

    explicit XMLNodeData(XMLStringPool* stringPool);
    XMLNodeData(const XMLNodeData&) = delete;
    XMLNodeData& operator=(const XMLNodeData&) = delete;
    ~XMLNodeData();

    void appendChild(XMLNodeData* child);
    void appendText(XMLText text);
    void appendClear(XMLClearData clear);
};

inline void retain(XMLNodeData* node)
{
    if (node)
        ++node->refCount;
}

// Drops one reference; frees the node and every descendant left without references,
// without recursion so that deep trees cannot exhaust the stack.
void release(XMLNodeData* node);

// Case-insensitive equality of two null-terminated names; null equals only null.
bool namesEqual(const wchar_t* a, const wchar_t* b);
wchar_t foldCase(wchar_t c);

} // namespace detail
