#include "config/detail/XMLEntities.h"

#include "config/XMLNode.h"
#include "config/detail/XMLCharacters.h"
#include "config/detail/XMLNodeData.h"

#include <string>

namespace detail
{
namespace
{

struct NamedEntity
{
    const char* name; // between "&" and ";", in lower case
    std::size_t length;
    wchar_t character;
    const wchar_t* written;
};

const NamedEntity namedEntities[] = {
    {"amp", 3, L'&', L"&amp;"},   {"lt", 2, L'<', L"&lt;"},     {"gt", 2, L'>', L"&gt;"},
    {"quot", 4, L'"', L"&quot;"}, {"apos", 4, L'\'', L"&apos;"},
};

template <typename CharT> int digitValue(CharT c, unsigned base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the entity at p (an ampersand); on success stores its character and returns the
// position after ";", else null.
template <typename CharT> const CharT* readEntity(const CharT* p, const CharT* end, wchar_t& character)
{
    ++p;
    if (p != end && *p == '#')
    {
        ++p;
        unsigned base = 10;
        if (p != end && (*p == 'x' || *p == 'X'))
        {
            base = 16;
            ++p;
        }
        const CharT* digits = p;
        unsigned code = 0;
        for (; p != end && *p != ';'; ++p)
        {
            const int digit = digitValue(*p, base);
            if (digit < 0)
                return nullptr;
            code = (code * base + static_cast<unsigned>(digit)) & 0xFFFFu; // kept in 16 bits
        }
        if (p == end || p == digits)
            return nullptr;
        character = static_cast<wchar_t>(code);
        return p + 1;
    }
    for (const NamedEntity& entity : namedEntities)
    {
        if (static_cast<std::size_t>(end - p) <= entity.length || p[entity.length] != ';')
            continue;
        std::size_t i = 0;
        while (i < entity.length && foldCase(static_cast<wchar_t>(p[i])) == static_cast<wchar_t>(entity.name[i]))
            ++i;
        if (i == entity.length)
        {
            character = entity.character;
            return p + entity.length + 1;
        }
    }
    return nullptr;
}

} // namespace

template <typename CharT>
wchar_t* decodeEntities(const CharT* begin, const CharT* end, wchar_t* out, const CharT*& badEntity)
{
    while (begin != end)
    {
        if (*begin != '&')
        {
            *out++ = readChar(begin, end);
            continue;
        }
        const CharT* ampersand = begin;
        begin = readEntity(ampersand, end, *out++);
        if (!begin)
        {
            badEntity = ampersand;
            return nullptr;
        }
    }
    return out;
}

template wchar_t* decodeEntities(const char*, const char*, wchar_t*, const char*&);
template wchar_t* decodeEntities(const wchar_t*, const wchar_t*, wchar_t*, const wchar_t*&);

const wchar_t* entityFor(wchar_t c)
{
    for (const NamedEntity& entity : namedEntities)
        if (entity.character == c)
            return entity.written;
    return nullptr;
}

} // namespace detail

std::wstring ToXMLStringTool::toXML(const wchar_t* source)
{
    std::wstring xml;
    for (const wchar_t* p = source; p && *p; ++p)
    {
        if (const wchar_t* entity = detail::entityFor(*p))
            xml += entity;
        else
            xml += *p;
    }
    return xml;
}
