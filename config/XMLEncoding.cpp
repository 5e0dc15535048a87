#include "config/detail/XMLEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>

static_assert(sizeof(wchar_t) == 4, "wide text holds whole code points");

namespace detail
{
namespace
{

constexpr wchar_t replacementCharacter = 0xFFFD;

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

void decodeUTF16(const unsigned char* bytes, std::size_t size, ByteOrder order, XMLDocumentText& text)
{
    const std::size_t units = size / 2;
    const std::size_t high = order == ByteOrder::BigEndian ? 0 : 1;
    auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<char32_t>(bytes[2 * i + high] << 8 | bytes[2 * i + 1 - high]);
    };
    text.wide.reset(new wchar_t[units + 1]);
    wchar_t* out = text.wide.get();
    for (std::size_t i = 0; i < units; ++i)
    {
        const char32_t u = unit(i);
        if (u == 0)
            break;
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
    *out = L'\0';
    text.length = static_cast<std::size_t>(out - text.wide.get());
}

// Length of a UTF-8 sequence by its lead byte; 0 for a byte that cannot lead one.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isValidUTF8(const unsigned char* bytes, std::size_t size)
{
    std::size_t i = 0;
    while (i < size)
    {
        if (size - i >= 8) // a run of ASCII goes eight bytes at a time
        {
            std::uint64_t block;
            std::memcpy(&block, bytes + i, 8);
            if ((block & 0x8080808080808080u) == 0)
            {
                i += 8;
                continue;
            }
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80)
        {
            ++i;
            continue;
        }
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || size - i < length)
            return false;
        char32_t code = lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k)
        {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000; // no overlong forms
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool decodeLocale(const unsigned char* bytes, std::size_t size, XMLDocumentText& text)
{
    text.wide.reset(new wchar_t[size + 1]);
    wchar_t* out = text.wide.get();
    std::mbstate_t state{};
    for (std::size_t i = 0; i < size;)
    {
        const std::size_t used = std::mbrtowc(out, reinterpret_cast<const char*>(bytes + i), size - i, &state);
        if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2))
            return false;
        if (used == 0) // a zero character ends the text
            break;
        ++out;
        i += used;
    }
    *out = L'\0';
    text.length = static_cast<std::size_t>(out - text.wide.get());
    return true;
}

} // namespace

bool readDocumentText(const unsigned char* bytes, std::size_t size, XMLCharEncoding encoding,
                      bool guessWideChars, XMLDocumentText& text)
{
    if (!guessWideChars)
    {
        decodeUTF16(bytes, size, ByteOrder::LittleEndian, text);
        return true;
    }
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
        decodeUTF16(bytes + skip, size - skip, order, text);
        return true;
    }
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
    {
        bytes += 3;
        size -= 3;
    }
    const void* zero = std::memchr(bytes, 0, size);
    if (zero)
        size = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - bytes);
    if (encoding == eXMLEncodingSystem)
        return decodeLocale(bytes, size, text);
    text.utf8 = reinterpret_cast<const char*>(bytes);
    text.length = size;
    return isValidUTF8(bytes, size);
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
