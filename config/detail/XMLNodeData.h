#pragma once

// Internal representation behind XMLNode handles.

#include "config/detail/XMLArray.h"

#include <cstddef>
#include <cstdint>

namespace detail
{

// Strings are null-terminated and live in the arena of the node (or in static tables).
struct XMLAttributeData
{
    const wchar_t* name;
    const wchar_t* value; // null when written without "="
};

struct XMLClearData
{
    const wchar_t* value;
    const wchar_t* openTag;
    const wchar_t* closeTag;
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

// Lives in its arena and holds a reference to it; it owns nothing else, so it needs no
// destructor. A node moved into another tree keeps its own arena.
struct XMLNodeData
{
    const wchar_t* name = nullptr;
    bool isDeclaration = false;
    std::uint32_t line = 0; // of the start tag, from 1; 0 for nodes not read from text
    XMLNodeData* parent = nullptr;
    XMLArray<XMLNodeData*> children; // each child counts this reference in its refCount
    XMLArray<XMLAttributeData> attributes;
    XMLArray<const wchar_t*> texts;
    XMLArray<XMLClearData> clears;
    // The document order of all contents. A node whose contents are all children keeps it
    // empty: its children are in document order. Texts and clear pieces fill it in.
    XMLArray<unsigned> order;
    int refCount = 0;
    XMLArena* arena;

    explicit XMLNodeData(XMLArena* memory) : arena(memory) {}

    inline void appendChild(XMLNodeData* child);
    void appendText(const wchar_t* text);
    void appendClear(const XMLClearData& clear);

    std::size_t contentCount() const { return order.empty() ? children.size() : order.size(); }
    unsigned contentAt(std::size_t i) const { return order.empty() ? orderEntry(XMLContentKind::Child, i) : order[i]; }
    // Writes the document order out where it was implied by the children alone.
    void spellOutOrder();
};

// A node without references in the given arena, or in a new one.
XMLNodeData* createNode(XMLArena* arena);

inline void retain(XMLNodeData* node)
{
    if (node)
        ++node->refCount;
}

// Drops one reference; gives up the node and every descendant left without references,
// without recursion so that deep trees cannot exhaust the stack.
void release(XMLNodeData* node);

// The reference of a handle (XMLNode): counted by the node and by its arena.
inline void retainHandle(XMLNodeData* node)
{
    if (node)
    {
        ++node->refCount;
        ++node->arena->handles;
    }
}
void releaseHandle(XMLNodeData* node);

// Links a child to its parent (a reference of the child), counting links between arenas;
// unlinking drops that reference, which may give the child up.
inline void linkChild(XMLNodeData* parent, XMLNodeData* child)
{
    child->parent = parent;
    ++child->refCount;
    if (child->arena != parent->arena)
    {
        ++child->arena->foreignLinks;
        ++parent->arena->foreignLinks;
    }
}
void unlinkChild(XMLNodeData* parent, XMLNodeData* child);

void XMLNodeData::appendChild(XMLNodeData* child)
{
    if (!order.empty())
        order.push_back(*arena, orderEntry(XMLContentKind::Child, children.size()));
    children.push_back(*arena, child);
    linkChild(this, child);
}

// The element that parsing with a tag picks: the scope itself when it bears the tag's name,
// else its first child that does, else the same search inside its first declaration child,
// and so on down; null when there is none.
XMLNodeData* findTag(XMLNodeData* scope, const wchar_t* tag);

// Case-insensitive equality of two null-terminated names; null equals only null.
bool namesEqual(const wchar_t* a, const wchar_t* b);
wchar_t foldCaseBeyondASCII(wchar_t c);
inline wchar_t foldCase(wchar_t c)
{
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
    return foldCaseBeyondASCII(c);
}

} // namespace detail
