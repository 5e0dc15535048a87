#pragma once

// Splits XML text into the reader's tokens; internal to the XML reader.

#include <cstddef>
#include <string_view>

namespace detail
{

// Markers of text kept verbatim, tried in this order.
struct XMLClearMarker
{
    std::string_view open;
    std::string_view close;
    const wchar_t* wideOpen;
    const wchar_t* wideClose;
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

template <typename CharT> struct XMLToken
{
    XMLTokenKind kind;
    const CharT* start; // first character of the token in the text
    const CharT* begin; // content: the text, the quoted text, or the verbatim piece
    const CharT* end;
    const XMLClearMarker* marker = nullptr; // Clear only
    const wchar_t* closeTag = nullptr;      // Clear only: the marker that ended it
    bool terminated = true;                 // Clear only: false when the closing marker is missing
};

// CharT is wchar_t for wide text and char for validated UTF-8.
template <typename CharT> class XMLTokenizer
{
public:
    using Token = XMLToken<CharT>;

    XMLTokenizer(const CharT* begin, const CharT* end) : pos_(begin), end_(end) {}

    // Skips white space and reads the next token.
    Token next();

    // Reads the content text from the current position up to the next "<" (or the end).
    void contentText(const CharT*& begin, const CharT*& end);

private:
    Token readClear(const CharT* start, const XMLClearMarker& marker);
    Token readText(const CharT* start);

    const CharT* pos_;
    const CharT* end_;
};

extern template class XMLTokenizer<char>;
extern template class XMLTokenizer<wchar_t>;

} // namespace detail
