#pragma once

// Conversions between the bytes of XML files and wide text; internal to the XML reader.

#include "config/XMLNode.h"

#include <cstddef>
#include <memory>
#include <string>

namespace detail
{

// The text of a document ready to parse: UTF-8 inside the caller's bytes, or wide text.
struct XMLDocumentText
{
    const char* utf8 = nullptr;      // valid UTF-8; used when wide is null
    std::unique_ptr<wchar_t[]> wide; // null-terminated
    std::size_t length = 0;
    bool endsAtZero = false;         // a zero character ended the text before the bytes did
};

// Prepares the bytes of a document up to the first zero character. With guessWideChars, UTF-16
// is recognised by its byte-order mark or by the pattern of zero bytes (either byte order) and
// anything else is 8-bit text in the given encoding, after an optional UTF-8 byte-order mark:
// UTF-8, whose malformed pieces each read as U+FFFD, or Windows-1252 for eXMLEncodingSystem.
// Without guessing, the bytes are taken as UTF-16 little-endian as they are.
// Returns false only when there is no memory for the converted text.
bool readDocumentText(const unsigned char* bytes, std::size_t size, XMLCharEncoding encoding,
                      bool guessWideChars, XMLDocumentText& text);

std::string toUTF8(const wchar_t* text);

// Appends text as UTF-16 little-endian; characters beyond 16 bits become surrogate pairs.
void appendUTF16LE(std::string& bytes, const std::wstring& text);

} // namespace detail
