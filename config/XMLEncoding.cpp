#include "config/detail/XMLEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <new>

static_assert(sizeof(wchar_t) == 4, "wide text holds whole code points");

namespace detail
{
namespace
{

constexpr wchar_t replacementCharacter = 0xFFFD;

// Wide text of the given length, or false when there is no memory for it.
bool allocateWide(std::size_t length, XMLDocumentText& text)
{
    if (length >= std::size_t(-1) / sizeof(wchar_t))
        return false;
    text.wide.reset(new (std::nothrow) wchar_t[length + 1]);
    return text.wide != nullptr;
}

bool finishWide(wchar_t* end, XMLDocumentText& text)
{
    *end = L'\0';
    text.length = static_cast<std::size_t>(end - text.wide.get());
    return true;
}

enum class ByteOrder
{
    None,
    LittleEndian,
    BigEndian
};

// UTF-16 by its byte-order mark, or by zero bytes: markup is mostly ASCII, so in UTF-16 one
// byte of most 16-bit units is zero, always on the same side, while 8-bit text has none.
ByteOrder detectUTF16(const unsigned char* bytes, std::size_t size)
{
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return ByteOrder::LittleEndian;
    if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return ByteOrder::BigEndian;
    const std::size_t units = std::min<std::size_t>(size, 4096) / 2;
    std::size_t zeroInSecond = 0; // as ASCII in little-endian order
    std::size_t zeroInFirst = 0;  // as ASCII in big-endian order
    for (std::size_t i = 0; i < units; ++i)
    {
        zeroInFirst += bytes[2 * i] == 0;
        zeroInSecond += bytes[2 * i + 1] == 0;
    }
    if (zeroInSecond > zeroInFirst && zeroInSecond * 2 >= units)
        return ByteOrder::LittleEndian;
    if (zeroInFirst > zeroInSecond && zeroInFirst * 2 >= units)
        return ByteOrder::BigEndian;
    return ByteOrder::None;
}

bool decodeUTF16(const unsigned char* bytes, std::size_t size, ByteOrder order, XMLDocumentText& text)
{
    const std::size_t units = size / 2;
    const std::size_t high = order == ByteOrder::BigEndian ? 0 : 1;
    auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<char32_t>(bytes[2 * i + high] << 8 | bytes[2 * i + 1 - high]);
    };
    if (!allocateWide(units, text))
        return false;
    wchar_t* out = text.wide.get();
    for (std::size_t i = 0; i < units; ++i)
    {
        const char32_t u = unit(i);
        if (u == 0)
        {
            text.endsAtZero = true;
            break;
        }
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF)
        {
            *out++ = static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        }
        else if (u >= 0xD800 && u <= 0xDFFF)
            *out++ = replacementCharacter;
        else
            *out++ = static_cast<wchar_t>(u);
    }
    return finishWide(out, text);
}

// The second byte of a UTF-8 sequence, by its lead byte, lies in a narrower range than
// 80 to BF where the full range would allow overlong forms, surrogates or values beyond
// U+10FFFF. Returns the sequence's length (0 for a byte that cannot lead one) and the range.
std::size_t sequenceLength(unsigned char lead, unsigned char& low, unsigned char& high)
{
    low = 0x80;
    high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
    {
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4)
    {
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
        return 4;
    }
    return 0;
}

// Reads the sequence at bytes[i] into code and advances i past it. A malformed sequence
// gives false, with i past its longest valid beginning (a piece that reads as U+FFFD).
bool readUTF8(const unsigned char* bytes, std::size_t size, std::size_t& i, char32_t& code)
{
    const unsigned char lead = bytes[i++];
    code = lead;
    if (lead < 0x80)
        return true;
    unsigned char low, high;
    const std::size_t length = sequenceLength(lead, low, high);
    if (length == 0)
        return false;
    code = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k, low = 0x80, high = 0xBF)
    {
        if (i == size || bytes[i] < low || bytes[i] > high)
            return false;
        code = code << 6 | (bytes[i++] & 0x3Fu);
    }
    return true;
}

bool isValidUTF8(const unsigned char* bytes, std::size_t size)
{
    std::size_t i = 0;
    char32_t code;
    while (i < size)
    {
        if (size - i >= 32) // a run of ASCII goes 32 bytes at a time
        {
            std::uint64_t block[4];
            std::memcpy(block, bytes + i, 32);
            if (((block[0] | block[1] | block[2] | block[3]) & 0x8080808080808080u) == 0)
            {
                i += 32;
                continue;
            }
        }
        if (!readUTF8(bytes, size, i, code))
            return false;
    }
    return true;
}

// UTF-8 with malformed pieces, each read as U+FFFD.
bool decodeUTF8Leniently(const unsigned char* bytes, std::size_t size, XMLDocumentText& text)
{
    if (!allocateWide(size, text))
        return false;
    wchar_t* out = text.wide.get();
    char32_t code;
    for (std::size_t i = 0; i < size;)
        *out++ = readUTF8(bytes, size, i, code) ? static_cast<wchar_t>(code) : replacementCharacter;
    return finishWide(out, text);
}

// Windows-1252: Latin-1 with printable characters in place of most C1 controls; the five
// codes it leaves undefined (81, 8D, 8F, 90, 9D) read as the control of that code.
bool decodeWindows1252(const unsigned char* bytes, std::size_t size, XMLDocumentText& text)
{
    static constexpr char16_t c1[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (!allocateWide(size, text))
        return false;
    wchar_t* out = text.wide.get();
    for (std::size_t i = 0; i < size; ++i)
    {
        const unsigned char b = bytes[i];
        *out++ = static_cast<wchar_t>(b >= 0x80 && b < 0xA0 ? c1[b - 0x80] : b);
    }
    return finishWide(out, text);
}

} // namespace

bool readDocumentText(const unsigned char* bytes, std::size_t size, XMLCharEncoding encoding,
                      bool guessWideChars, XMLDocumentText& text)
{
    if (!guessWideChars)
        return decodeUTF16(bytes, size, ByteOrder::LittleEndian, text);
    const ByteOrder order = detectUTF16(bytes, size);
    if (order != ByteOrder::None)
    {
        // FF FE, and EF FF as well, count as a little-endian mark; FE FF as a big-endian one.
        auto startsWith = [&](unsigned char first, unsigned char second) {
            return size >= 2 && bytes[0] == first && bytes[1] == second;
        };
        const bool marked = order == ByteOrder::LittleEndian
                                ? startsWith(0xFF, 0xFE) || startsWith(0xEF, 0xFF)
                                : startsWith(0xFE, 0xFF);
        const std::size_t skip = marked ? 2 : 0;
        return decodeUTF16(bytes + skip, size - skip, order, text);
    }
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
    {
        bytes += 3;
        size -= 3;
    }
    const void* zero = std::memchr(bytes, 0, size);
    if (zero)
    {
        size = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - bytes);
        text.endsAtZero = true;
    }
    if (encoding == eXMLEncodingSystem)
        return decodeWindows1252(bytes, size, text);
    if (!isValidUTF8(bytes, size))
        return decodeUTF8Leniently(bytes, size, text);
    text.utf8 = reinterpret_cast<const char*>(bytes);
    text.length = size;
    return true;
}

std::string toUTF8(const wchar_t* text)
{
    std::string bytes;
    for (const wchar_t* p = text; p && *p; ++p)
    {
        char32_t c = static_cast<char32_t>(*p);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = replacementCharacter;
        if (c < 0x80)
            bytes += static_cast<char>(c);
        else if (c < 0x800)
        {
            bytes += static_cast<char>(0xC0 | c >> 6);
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            bytes += static_cast<char>(0xE0 | c >> 12);
            bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            bytes += static_cast<char>(0xF0 | c >> 18);
            bytes += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

void appendUTF16LE(std::string& bytes, const std::wstring& text)
{
    bytes.reserve(bytes.size() + 2 * text.size());
    auto put = [&](char32_t unit) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8 & 0xFF);
    };
    for (wchar_t w : text)
    {
        const char32_t c = static_cast<char32_t>(w);
        if (c >= 0x10000 && c <= 0x10FFFF)
        {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        else
            put(c > 0x10FFFF ? replacementCharacter : c);
    }
}

} // namespace detail
