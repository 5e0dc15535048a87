#pragma once

// Characters of the text being parsed: wide text, or UTF-8 that has already been validated.
// Every character the parser looks for is ASCII, and no byte of a multi-byte UTF-8 sequence
// is, so the parser splits both kinds of text the same way.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <type_traits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace detail
{

// Whether c is one of a set of ASCII characters from 0 to 63, given as one bit each.
template <typename CharT> bool isOneOf(CharT c, std::uint64_t set)
{
    const auto code = static_cast<std::make_unsigned_t<CharT>>(c);
    return code < 64 && (set >> code & 1);
}

constexpr std::uint64_t xmlSpaces = 1ull << ' ' | 1ull << '\t' | 1ull << '\r' | 1ull << '\n';
// White space, "<", "=", ">" and "/": the characters that can end a text token ("/" only
// when ">" follows).
constexpr std::uint64_t textEnders = xmlSpaces | 1ull << '<' | 1ull << '=' | 1ull << '>' | 1ull << '/';

// What the parser looks for, one bit each, so that every test of a character in its loops
// is one lookup.
enum CharacterClass : std::uint8_t
{
    spaceClass = 1,
    endsTextClass = 2, // see textEnders
    quoteClass = 4,
    decodingClass = 8, // "&", and in UTF-8 the bytes of characters beyond ASCII
    lessThanClass = 16
};

inline constexpr auto characterClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    for (unsigned c = 0; c < 64; ++c)
        classes[c] = static_cast<std::uint8_t>((xmlSpaces >> c & 1 ? spaceClass : 0) |
                                               (textEnders >> c & 1 ? endsTextClass : 0));
    classes['"'] = classes['\''] = quoteClass;
    classes['<'] |= lessThanClass;
    classes['&'] |= decodingClass;
    for (unsigned c = 0x80; c < 256; ++c)
        classes[c] = decodingClass;
    return classes;
}();

// Wide characters beyond ASCII need no decoding and belong to no class.
template <typename CharT> std::uint8_t classOf(CharT c)
{
    const auto code = static_cast<std::make_unsigned_t<CharT>>(c);
    if constexpr (sizeof(CharT) == 1)
        return characterClasses[code];
    else
        return code < 128 ? characterClasses[code] : 0;
}

template <typename CharT> bool isXMLSpace(CharT c)
{
    return classOf(c) & spaceClass;
}

template <typename CharT> bool mayEndText(CharT c)
{
    return classOf(c) & endsTextClass;
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

// Line feeds in a UTF-8 word of eight bytes: a one in each byte that is zero after the
// exclusive or (exact: no carries between bytes), summed by a multiplication into the top
// byte. `skipped` low bytes (the first in memory) are left out.
inline std::size_t lineFeedsInWord(const char* bytes, unsigned skipped = 0)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    word ^= 0x0A0A0A0A0A0A0A0Aull;
    const std::uint64_t zero = (~(((word & low7) + low7) | word | low7) >> 7) >> 8 * skipped;
    return static_cast<std::size_t>(zero * 0x0101010101010101ull >> 56);
}

// Line feeds in [begin, end). UTF-8 goes sixteen and eight bytes at a time: the stretches
// between the elements of a document are short, too short for a call to pay.
template <typename CharT> std::size_t countLineFeeds(const CharT* begin, const CharT* end)
{
    std::size_t count = 0;
    if constexpr (sizeof(CharT) == 1 && std::endian::native == std::endian::little)
    {
        const CharT* const start = begin;
#if defined(__SSE2__)
        const __m128i feed = _mm_set1_epi8('\n');
        while (end - begin >= 16)
        {
            // Each byte of `found` counts the line feeds in its lane, at most 255 rounds.
            __m128i found = _mm_setzero_si128();
            for (int round = 0; round < 255 && end - begin >= 16; ++round, begin += 16)
            {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
                found = _mm_sub_epi8(found, _mm_cmpeq_epi8(bytes, feed));
            }
            const __m128i sums = _mm_sad_epu8(found, _mm_setzero_si128());
            count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        }
#endif
        for (; end - begin >= 8; begin += 8)
            count += lineFeedsInWord(begin);
        // The rest as the end of the last eight bytes, when the stretch has them.
        if (begin != end && end - start >= 8)
            return count + lineFeedsInWord(end - 8, static_cast<unsigned>(8 - (end - begin)));
    }
    for (; begin != end; ++begin)
        count += *begin == '\n';
    return count;
}

// Whether the `length` characters at a and at b are the same; both lie in a text that ends
// at `end`. Names are short: a plain loop beats a call to memcmp, and UTF-8 goes eight bytes
// at once where the text has room for it after both.
template <typename CharT> bool sameCharacters(const CharT* a, const CharT* b, std::size_t length, const CharT* end)
{
    if constexpr (sizeof(CharT) == 1 && std::endian::native == std::endian::little)
    {
        if (length <= 8 && end - a >= 8 && end - b >= 8)
        {
            std::uint64_t x, y;
            std::memcpy(&x, a, 8);
            std::memcpy(&y, b, 8);
            const std::uint64_t used = length == 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << 8 * length) - 1;
            return ((x ^ y) & used) == 0;
        }
    }
    for (std::size_t i = 0; i < length; ++i)
        if (a[i] != b[i])
            return false;
    return true;
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
