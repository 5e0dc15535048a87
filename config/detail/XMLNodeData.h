#pragma once

// Internal representation behind XMLNode handles.

#include "config/detail/XMLArena.h"

#include <cstddef>

namespace detail
{

// A null-terminated string of a node: borrowed from an arena or a static table, or owned
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
    XMLVector<XMLNodeData*> children; // each child counts this reference in its refCount
    XMLVector<XMLAttributeData> attributes;
    XMLVector<XMLText> texts;
    XMLVector<XMLClearData> clears;
    XMLVector<unsigned> order;
    int refCount = 0;
    XMLArena* const arena; // holds the node, its arrays and its parsed strings; null for built nodes

    explicit XMLNodeData(XMLArena* memory);
    XMLNodeData(const XMLNodeData&) = delete;
    XMLNodeData& operator=(const XMLNodeData&) = delete;

    void appendChild(XMLNodeData* child);
    void appendText(XMLText text);
    void appendClear(XMLClearData clear);
};

// A node without references, in the arena or, without one, on the free store.
XMLNodeData* createNode(XMLArena* arena);

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
