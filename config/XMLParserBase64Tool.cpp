#include "config/XMLParserBase64Tool.h"

namespace
{

const wchar_t alphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int lineLength = 72;

int sextet(wchar_t c)
{
    if (c >= L'A' && c <= L'Z')
        return c - L'A';
    if (c >= L'a' && c <= L'z')
        return c - L'a' + 26;
    if (c >= L'0' && c <= L'9')
        return c - L'0' + 52;
    if (c == L'+')
        return 62;
    if (c == L'/')
        return 63;
    return -1;
}

bool isSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

void report(XMLError* error, XMLError code)
{
    if (error)
        *error = code;
}

} // namespace

int XMLParserBase64Tool::encodeLength(int length, bool formatted)
{
    const int characters = (length + 2) / 3 * 4;
    return formatted ? characters + characters / lineLength : characters;
}

std::wstring XMLParserBase64Tool::encode(const unsigned char* data, int length, bool formatted)
{
    std::wstring text;
    text.reserve(static_cast<std::size_t>(encodeLength(length, formatted)));
    int onLine = 0;
    auto put = [&](wchar_t c) {
        text += c;
        if (formatted && ++onLine == lineLength)
        {
            text += L'\n';
            onLine = 0;
        }
    };
    for (int i = 0; i < length; i += 3)
    {
        const int count = length - i < 3 ? length - i : 3;
        unsigned group = static_cast<unsigned>(data[i]) << 16;
        if (count > 1)
            group |= static_cast<unsigned>(data[i + 1]) << 8;
        if (count > 2)
            group |= data[i + 2];
        put(alphabet[group >> 18]);
        put(alphabet[group >> 12 & 63]);
        put(count > 1 ? alphabet[group >> 6 & 63] : L'=');
        put(count > 2 ? alphabet[group & 63] : L'=');
    }
    return text;
}

int XMLParserBase64Tool::decodeSize(const wchar_t* text, XMLError* error)
{
    int characters = 0;
    int padding = 0;
    for (const wchar_t* p = text; p && *p; ++p)
    {
        if (isSpace(*p))
            continue;
        ++characters;
        padding = *p == L'=' ? padding + 1 : 0;
    }
    report(error, characters % 4 ? eXMLWarningBase64DataSizeIsNotMultipleOf4 : eXMLErrorNone);
    const int data = characters - (padding > 2 ? 2 : padding);
    return data / 4 * 3 + (data % 4 > 1 ? data % 4 - 1 : 0);
}

bool XMLParserBase64Tool::decode(const wchar_t* text, unsigned char* out, int outLength, XMLError* error)
{
    report(error, eXMLErrorNone);
    int written = 0;
    unsigned group = 0;
    int inGroup = 0;
    int padding = 0;
    for (const wchar_t* p = text; p && *p; ++p)
    {
        if (isSpace(*p))
            continue;
        if (*p == L'=')
        {
            ++padding;
            continue;
        }
        const int value = sextet(*p);
        if (value < 0 || padding > 0) // nothing may follow the padding
        {
            report(error, eXMLErrorBase64DecodeIllegalCharacter);
            return false;
        }
        group = group << 6 | static_cast<unsigned>(value);
        if (++inGroup < 4)
            continue;
        if (outLength - written < 3)
        {
            report(error, eXMLErrorBase64DecodeBufferTooSmall);
            return false;
        }
        out[written++] = static_cast<unsigned char>(group >> 16);
        out[written++] = static_cast<unsigned char>(group >> 8);
        out[written++] = static_cast<unsigned char>(group);
        group = 0;
        inGroup = 0;
    }
    if (inGroup == 0)
        return true;
    // A last group of two or three characters holds one or two bytes.
    const int bytes = inGroup - 1;
    if (outLength - written < bytes)
    {
        report(error, eXMLErrorBase64DecodeBufferTooSmall);
        return false;
    }
    group <<= 6 * (4 - inGroup);
    for (int k = 0; k < bytes; ++k)
        out[written++] = static_cast<unsigned char>(group >> (16 - 8 * k));
    if (inGroup + padding != 4)
        report(error, eXMLWarningBase64DecodeTruncatedData);
    return true;
}
