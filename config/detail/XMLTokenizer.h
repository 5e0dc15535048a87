#pragma once

// Splits wide XML text into the reader's tokens; internal to the XML reader.

#include <cstddef>

namespace detail
{

// Markers of text kept verbatim, tried in this order.
struct XMLClearMarker
{
    const wchar_t* open;
    std::size_t openLength;
    const wchar_t* close;
    std::size_t closeLength;
};

enum class XMLTokenKind
{
    Text,            // a run of characters up to white space, "<", "=", ">" or "/>"
    Quoted,          // text between matching quotes, quotes excluded
    Clear,           // a verbatim piece; see XMLToken::marker and terminated
    StartTag,        // "<"
    EndTag,          // "</"
    DeclarationTag,  // "<?"
    TagClose,        // ">"
    EmptyTagClose,   // "/>"
    Equals,          // "="
    End
};

struct XMLToken
{
    XMLTokenKind kind;
    const wchar_t* start; // first character of the token in the text
    const wchar_t* begin; // content: the text, the quoted text, or the verbatim piece
    const wchar_t* end;
    const XMLClearMarker* marker = nullptr; // Clear only
    const wchar_t* closeTag = nullptr;      // Clear only: the marker that ended it
    bool terminated = true;                 // Clear only: false when the closing marker is missing
};

bool isXMLSpace(wchar_t c);

class XMLTokenizer
{
public:
    XMLTokenizer(const wchar_t* begin, const wchar_t* end) : pos_(begin), end_(end) {}

    // Skips white space and reads the next token.
    XMLToken next();

    // Reads the content text from the current position up to the next "<" (or the end).
    void contentText(const wchar_t*& begin, const wchar_t*& end);

    const wchar_t* position() const { return pos_; }
    bool atEnd() const { return pos_ == end_; }

private:
    XMLToken readClear(const wchar_t* start, const XMLClearMarker& marker);
    XMLToken readText(const wchar_t* start);

    const wchar_t* pos_;
    const wchar_t* end_;
};

} // namespace detail
