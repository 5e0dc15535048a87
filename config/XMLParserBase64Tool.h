#pragma once

#include "config/XMLNode.h"
#include "framework/Export.h"

#include <string>

// Base64 for binary data kept in XML texts and attribute values. Decoding skips white space.
class DRAVIK_API XMLParserBase64Tool
{
public:
    // Characters that encode produces for length bytes.
    static int encodeLength(int length, bool formatted = false);
    // With formatted, a line feed follows every 72 characters.
    static std::wstring encode(const unsigned char* data, int length, bool formatted = false);

    // Bytes that decode produces; warns with eXMLWarningBase64DataSizeIsNotMultipleOf4.
    static int decodeSize(const wchar_t* text, XMLError* error = nullptr);
    // Decodes into out (room for outLength bytes). Fails with eXMLErrorBase64DecodeIllegalCharacter
    // or eXMLErrorBase64DecodeBufferTooSmall; text ending inside a group of four decodes what it
    // can and warns with eXMLWarningBase64DecodeTruncatedData.
    static bool decode(const wchar_t* text, unsigned char* out, int outLength, XMLError* error = nullptr);
};
