#include "config/detail/XMLNodeData.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <new>

namespace detail
{

XMLText XMLText::borrow(const wchar_t* chars)
{
    XMLText text;
    text.chars_ = chars;
    return text;
}

XMLText XMLText::copyOf(const wchar_t* chars)
{
    XMLText text;
    if (chars)
    {
        const std::size_t length = std::wcslen(chars);
        wchar_t* copy = new wchar_t[length + 1];
        std::wmemcpy(copy, chars, length + 1);
        text.chars_ = copy;
        text.owned_ = true;
    }
    return text;
}

XMLText::XMLText(XMLText&& other) noexcept : chars_(other.chars_), owned_(other.owned_)
{
    other.chars_ = nullptr;
    other.owned_ = false;
}

XMLText& XMLText::operator=(XMLText&& other) noexcept
{
    if (this != &other)
    {
        if (owned_)
            delete[] chars_;
        chars_ = other.chars_;
        owned_ = other.owned_;
        other.chars_ = nullptr;
        other.owned_ = false;
    }
    return *this;
}

XMLText::~XMLText()
{
    if (owned_)
        delete[] chars_;
}

XMLNodeData::XMLNodeData(XMLArena* memory)
    : children(XMLAllocator<XMLNodeData*>(memory)), attributes(XMLAllocator<XMLAttributeData>(memory)),
      texts(XMLAllocator<XMLText>(memory)), clears(XMLAllocator<XMLClearData>(memory)),
      order(XMLAllocator<unsigned>(memory)), arena(memory)
{
}

XMLNodeData* createNode(XMLArena* arena)
{
    if (!arena)
        return new XMLNodeData(nullptr);
    arena->retain();
    return new (arena->allocate(sizeof(XMLNodeData), alignof(XMLNodeData))) XMLNodeData(arena);
}

namespace
{

void destroyNode(XMLNodeData* node)
{
    XMLArena* arena = node->arena;
    if (!arena)
    {
        delete node;
        return;
    }
    node->~XMLNodeData();
    arena->release();
}

} // namespace

void XMLNodeData::appendChild(XMLNodeData* child)
{
    order.push_back(orderEntry(XMLContentKind::Child, children.size()));
    children.push_back(child);
    child->parent = this;
    ++child->refCount;
}

void XMLNodeData::appendText(XMLText text)
{
    order.push_back(orderEntry(XMLContentKind::Text, texts.size()));
    texts.push_back(std::move(text));
}

void XMLNodeData::appendClear(XMLClearData clear)
{
    order.push_back(orderEntry(XMLContentKind::Clear, clears.size()));
    clears.push_back(std::move(clear));
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
            child->parent = nullptr;
            if (--child->refCount == 0)
                dying.push_back(child);
        }
        destroyNode(current);
    }
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
