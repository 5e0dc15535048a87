#pragma once

// Characters of the text being parsed: wide text, or UTF-8 that has already been validated.
// Every character the parser looks for is ASCII, and no byte of a multi-byte UTF-8 sequence
// is, so the parser splits both kinds of text the same way.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <type_traits>

namespace detail
{

// Whether c is one of a set of ASCII characters from 0 to 63, given as one bit each.
template <typename CharT> bool isOneOf(CharT c, std::uint64_t set)
{
    const auto code = static_cast<std::make_unsigned_t<CharT>>(c);
    return code < 64 && (set >> code & 1);
}

constexpr std::uint64_t xmlSpaces = 1ull << ' ' | 1ull << '\t' | 1ull << '\r' | 1ull << '\n';

template <typename CharT> bool isXMLSpace(CharT c)
{
    return isOneOf(c, xmlSpaces);
}

// White space, "<", "=", ">" and "/": the characters that can end a text token ("/" only
// when ">" follows).
template <typename CharT> bool mayEndText(CharT c)
{
    return isOneOf(c, xmlSpaces | 1ull << '<' | 1ull << '=' | 1ull << '>' | 1ull << '/');
}

// Reads one character and advances past it.
inline wchar_t readChar(const wchar_t*& p, const wchar_t*)
{
    return *p++;
}

inline wchar_t readChar(const char*& p, const char* end)
{
    const auto lead = static_cast<unsigned char>(*p++);
    if (lead < 0x80)
        return static_cast<wchar_t>(lead);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (end - p < length - 1)
    {
        p = end;
        return 0xFFFD;
    }
    char32_t code = lead & (0x7Fu >> length);
    for (int k = 1; k < length; ++k)
        code = code << 6 | (static_cast<unsigned char>(*p++) & 0x3Fu);
    return static_cast<wchar_t>(code);
}

// Converts [begin, end) to wide characters at out; returns the end of the output.
inline wchar_t* widen(const wchar_t* begin, const wchar_t* end, wchar_t* out)
{
    const auto count = static_cast<std::size_t>(end - begin);
    std::wmemcpy(out, begin, count);
    return out + count;
}

inline wchar_t* widen(const char* begin, const char* end, wchar_t* out)
{
    while (begin != end)
    {
        const char* run = begin; // a run of ASCII, copied by a loop the compiler vectorises
        while (run != end && static_cast<unsigned char>(*run) < 0x80)
            ++run;
        for (; begin != run; ++begin)
            *out++ = static_cast<wchar_t>(*begin);
        if (begin != end)
            *out++ = readChar(begin, end);
    }
    return out;
}

// Characters (not bytes) in [begin, end), for columns.
inline std::size_t characterCount(const wchar_t* begin, const wchar_t* end)
{
    return static_cast<std::size_t>(end - begin);
}

inline std::size_t characterCount(const char* begin, const char* end)
{
    std::size_t count = 0;
    for (; begin != end; ++begin)
        count += (static_cast<unsigned char>(*begin) & 0xC0) != 0x80;
    return count;
}

// The line and column (from 1) of position `at` in the text that starts at `begin`: each
// line feed starts a new line, every other character is one column.
template <typename CharT> void textPosition(const CharT* begin, const CharT* at, int& line, int& column)
{
    line = 1;
    const CharT* lineStart = begin;
    for (const CharT* p = begin; p != at; ++p)
        if (*p == '\n')
        {
            ++line;
            lineStart = p + 1;
        }
    column = static_cast<int>(characterCount(lineStart, at)) + 1;
}

} // namespace detail
