#include "config/detail/XMLNodeData.h"

#include <cwctype>
#include <new>
#include <type_traits>
#include <vector>

namespace detail
{

static_assert(std::is_trivially_destructible_v<XMLNodeData>, "nodes are given up with their arena");

namespace
{

void forgetLink(XMLNodeData* parent, XMLNodeData* child)
{
    child->parent = nullptr;
    if (child->arena != parent->arena)
    {
        --child->arena->foreignLinks;
        --parent->arena->foreignLinks;
    }
}

} // namespace

void unlinkChild(XMLNodeData* parent, XMLNodeData* child)
{
    forgetLink(parent, child);
    release(child);
}

void releaseHandle(XMLNodeData* node)
{
    if (!node)
        return;
    XMLArena* arena = node->arena;
    if (--arena->handles == 0 && arena->foreignLinks == 0)
        arena->discard(); // a whole document that nothing holds any more: no walk
    else
        release(node);
}

void XMLNodeData::spellOutOrder()
{
    if (!order.empty())
        return;
    for (std::size_t i = 0; i < children.size(); ++i)
        order.push_back(*arena, orderEntry(XMLContentKind::Child, i));
}

void XMLNodeData::appendText(const wchar_t* text)
{
    spellOutOrder();
    order.push_back(*arena, orderEntry(XMLContentKind::Text, texts.size()));
    texts.push_back(*arena, text);
}

void XMLNodeData::appendClear(const XMLClearData& clear)
{
    spellOutOrder();
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
            forgetLink(current, child);
            if (--child->refCount > 0)
                continue; // held elsewhere: it becomes a top node
            if (child->children.empty())
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

wchar_t foldCaseBeyondASCII(wchar_t c)
{
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
