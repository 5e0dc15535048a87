#include "config/detail/XMLNodeData.h"

#include <cwctype>
#include <new>
#include <type_traits>
#include <vector>

namespace detail
{

static_assert(std::is_trivially_destructible_v<XMLNodeData>, "nodes are given up with their arena");

void XMLNodeData::appendChild(XMLNodeData* child)
{
    order.push_back(*arena, orderEntry(XMLContentKind::Child, children.size()));
    children.push_back(*arena, child);
    child->parent = this;
    ++child->refCount;
}

void XMLNodeData::appendText(const wchar_t* text)
{
    order.push_back(*arena, orderEntry(XMLContentKind::Text, texts.size()));
    texts.push_back(*arena, text);
}

void XMLNodeData::appendClear(const XMLClearData& clear)
{
    order.push_back(*arena, orderEntry(XMLContentKind::Clear, clears.size()));
    clears.push_back(*arena, clear);
}

XMLNodeData* createNode(XMLArena* arena)
{
    if (!arena)
        arena = new XMLArena;
    arena->retain();
    return new (arena->allocate(sizeof(XMLNodeData), alignof(XMLNodeData))) XMLNodeData(arena);
}

void release(XMLNodeData* node)
{
    if (!node || --node->refCount > 0)
        return;
    std::vector<XMLNodeData*> dying{node};
    while (!dying.empty())
    {
        XMLNodeData* current = dying.back();
        dying.pop_back();
        for (XMLNodeData* child : current->children)
        {
            if (--child->refCount > 0)
                child->parent = nullptr; // held elsewhere: it becomes a top node
            else if (child->children.empty())
                child->arena->release();
            else
                dying.push_back(child);
        }
        current->arena->release();
    }
}

XMLNodeData* findTag(XMLNodeData* scope, const wchar_t* tag)
{
    if (scope && namesEqual(scope->name, tag))
        return scope;
    while (scope)
    {
        XMLNodeData* declaration = nullptr;
        for (XMLNodeData* child : scope->children)
        {
            if (namesEqual(child->name, tag))
                return child;
            if (!declaration && child->isDeclaration)
                declaration = child;
        }
        scope = declaration;
    }
    return nullptr;
}

wchar_t foldCase(wchar_t c)
{
    if (c < 0x80)
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
    return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

bool namesEqual(const wchar_t* a, const wchar_t* b)
{
    if (!a || !b)
        return a == b;
    for (;; ++a, ++b)
    {
        if (foldCase(*a) != foldCase(*b))
            return false;
        if (*a == L'\0')
            return true;
    }
}

} // namespace detail
