#include "config/detail/XMLEntities.h"

#include "config/XMLNode.h"
#include "config/detail/XMLNodeData.h"

#include <cwchar>

namespace detail
{
namespace
{

struct NamedEntity
{
    const wchar_t* name; // between "&" and ";", in lower case
    std::size_t length;
    wchar_t character;
    const wchar_t* written;
};

const NamedEntity namedEntities[] = {
    {L"amp", 3, L'&', L"&amp;"},   {L"lt", 2, L'<', L"&lt;"},     {L"gt", 2, L'>', L"&gt;"},
    {L"quot", 4, L'"', L"&quot;"}, {L"apos", 4, L'\'', L"&apos;"},
};

int digitValue(wchar_t c, unsigned base)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (base == 16 && c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (base == 16 && c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads the entity at p (an ampersand); on success stores its character and returns the
// position after ";", else null.
const wchar_t* readEntity(const wchar_t* p, const wchar_t* end, wchar_t& character)
{
    ++p;
    if (p != end && *p == L'#')
    {
        ++p;
        unsigned base = 10;
        if (p != end && (*p == L'x' || *p == L'X'))
        {
            base = 16;
            ++p;
        }
        const wchar_t* digits = p;
        unsigned code = 0;
        for (; p != end && *p != L';'; ++p)
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
        if (static_cast<std::size_t>(end - p) <= entity.length || p[entity.length] != L';')
            continue;
        std::size_t i = 0;
        while (i < entity.length && foldCase(p[i]) == entity.name[i])
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

wchar_t* decodeEntities(const wchar_t* begin, const wchar_t* end, wchar_t* out,
                        const wchar_t*& badEntity)
{
    while (begin != end)
    {
        const wchar_t* ampersand = std::wmemchr(begin, L'&', static_cast<std::size_t>(end - begin));
        const wchar_t* plainEnd = ampersand ? ampersand : end;
        std::wmemcpy(out, begin, static_cast<std::size_t>(plainEnd - begin));
        out += plainEnd - begin;
        if (!ampersand)
            break;
        begin = readEntity(ampersand, end, *out);
        if (!begin)
        {
            badEntity = ampersand;
            return nullptr;
        }
        ++out;
    }
    return out;
}

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
