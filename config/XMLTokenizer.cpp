#include "config/detail/XMLTokenizer.h"

#include <cwchar>
#include <string_view>

namespace detail
{
namespace
{

const XMLClearMarker clearMarkers[] = {
    {L"<![CDATA[", 9, L"]]>", 3},
    {L"<!DOCTYPE", 9, L">", 1},
    {L"<PRE>", 5, L"</PRE>", 6},
    {L"<Script>", 8, L"</Script>", 9},
    {L"<!--", 4, L"-->", 3},
};
const XMLClearMarker& doctypeMarker = clearMarkers[1];
const wchar_t doctypeWithSubsetClose[] = L"]>";

bool startsWith(const wchar_t* p, const wchar_t* end, const wchar_t* prefix, std::size_t length)
{
    return static_cast<std::size_t>(end - p) >= length && std::wmemcmp(p, prefix, length) == 0;
}

const wchar_t* find(const wchar_t* from, const wchar_t* end, std::wstring_view what)
{
    const std::wstring_view haystack(from, static_cast<std::size_t>(end - from));
    const std::size_t at = haystack.find(what);
    return at == std::wstring_view::npos ? nullptr : from + at;
}

} // namespace

bool isXMLSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

XMLToken XMLTokenizer::next()
{
    while (pos_ != end_ && isXMLSpace(*pos_))
        ++pos_;
    const wchar_t* start = pos_;
    if (pos_ == end_)
        return {XMLTokenKind::End, start, start, start};

    auto simple = [&](XMLTokenKind kind, std::size_t length) {
        pos_ += length;
        return XMLToken{kind, start, start, pos_};
    };
    const bool hasNext = end_ - pos_ > 1;
    switch (*pos_)
    {
    case L'<':
        for (const XMLClearMarker& marker : clearMarkers)
            if (startsWith(pos_, end_, marker.open, marker.openLength))
                return readClear(start, marker);
        if (hasNext && pos_[1] == L'/')
            return simple(XMLTokenKind::EndTag, 2);
        if (hasNext && pos_[1] == L'?')
            return simple(XMLTokenKind::DeclarationTag, 2);
        return simple(XMLTokenKind::StartTag, 1);
    case L'>':
        return simple(XMLTokenKind::TagClose, 1);
    case L'=':
        return simple(XMLTokenKind::Equals, 1);
    case L'/':
        if (hasNext && pos_[1] == L'>')
            return simple(XMLTokenKind::EmptyTagClose, 2);
        return readText(start);
    case L'"':
    case L'\'':
        // A quote that meets "<" or the end before its partner is ordinary text.
        for (const wchar_t* p = pos_ + 1; p != end_ && *p != L'<'; ++p)
            if (*p == *start)
            {
                pos_ = p + 1;
                return {XMLTokenKind::Quoted, start, start + 1, p};
            }
        return readText(start);
    default:
        return readText(start);
    }
}

XMLToken XMLTokenizer::readText(const wchar_t* start)
{
    const wchar_t* p = start + 1; // the caller saw a character that starts text
    while (p != end_)
    {
        const wchar_t c = *p;
        if (isXMLSpace(c) || c == L'<' || c == L'=' || c == L'>' ||
            (c == L'/' && p + 1 != end_ && p[1] == L'>'))
            break;
        ++p;
    }
    pos_ = p;
    return {XMLTokenKind::Text, start, start, p};
}

XMLToken XMLTokenizer::readClear(const wchar_t* start, const XMLClearMarker& marker)
{
    const wchar_t* content = start + marker.openLength;
    std::wstring_view close(marker.close, marker.closeLength);
    if (&marker == &doctypeMarker)
    {
        // A document type with an internal subset ("<!DOCTYPE x [<!ENTITY ...>]>") ends at "]>".
        const wchar_t* firstOpen = std::wmemchr(content, L'<', static_cast<std::size_t>(end_ - content));
        const wchar_t* firstClose = std::wmemchr(content, L'>', static_cast<std::size_t>(end_ - content));
        if (firstOpen && (!firstClose || firstOpen < firstClose))
            close = doctypeWithSubsetClose;
    }
    XMLToken token{XMLTokenKind::Clear, start, content, end_, &marker, close.data()};
    const wchar_t* closeAt = find(content, end_, close);
    if (!closeAt)
    {
        token.terminated = false;
        pos_ = end_;
        return token;
    }
    token.end = closeAt;
    pos_ = closeAt + close.size();
    return token;
}

void XMLTokenizer::contentText(const wchar_t*& begin, const wchar_t*& end)
{
    begin = pos_;
    const wchar_t* markup = std::wmemchr(pos_, L'<', static_cast<std::size_t>(end_ - pos_));
    pos_ = markup ? markup : end_;
    end = pos_;
}

} // namespace detail
