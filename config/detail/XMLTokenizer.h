#pragma once

// Splits XML text into the reader's tokens; internal to the XML reader. Defined here, so
// that the tree builder can inline it.

#include "config/detail/XMLCharacters.h"

#include <cstddef>
#include <string>
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

namespace tokenizer
{

inline constexpr XMLClearMarker clearMarkers[] = {
    {"<![CDATA[", "]]>", L"<![CDATA[", L"]]>"},
    {"<!DOCTYPE", ">", L"<!DOCTYPE", L">"},
    {"<PRE>", "</PRE>", L"<PRE>", L"</PRE>"},
    {"<Script>", "</Script>", L"<Script>", L"</Script>"},
    {"<!--", "-->", L"<!--", L"-->"},
};
inline constexpr const XMLClearMarker& doctypeMarker = clearMarkers[1];
// A document type with an internal subset ("<!DOCTYPE x [<!ENTITY ...>]>") ends at "]>".
inline constexpr XMLClearMarker doctypeWithSubset = {"<!DOCTYPE", "]>", L"<!DOCTYPE", L"]>"};

template <typename CharT> bool startsWith(const CharT* p, const CharT* end, std::string_view prefix)
{
    if (static_cast<std::size_t>(end - p) < prefix.size())
        return false;
    for (char c : prefix)
        if (*p++ != static_cast<CharT>(c))
            return false;
    return true;
}

template <typename CharT> const CharT* find(const CharT* from, const CharT* end, CharT c)
{
    return std::char_traits<CharT>::find(from, static_cast<std::size_t>(end - from), c);
}

template <typename CharT> const CharT* find(const CharT* from, const CharT* end, std::string_view what)
{
    for (const CharT* p = from; (p = find(p, end, static_cast<CharT>(what.front()))); ++p)
        if (startsWith(p, end, what))
            return p;
    return nullptr;
}

} // namespace tokenizer

// CharT is wchar_t for wide text and char for validated UTF-8.
template <typename CharT> class XMLTokenizer
{
public:
    using Token = XMLToken<CharT>;

    XMLTokenizer(const CharT* begin, const CharT* end) : pos_(begin), end_(end) {}

    // Skips white space and reads the next token.
    Token next();
    // Skips white space and reads "=" if that is the next token; a shortcut for attributes.
    bool readEquals()
    {
        if (pos_ != end_ && *pos_ == '=') // most often written without white space
        {
            ++pos_;
            return true;
        }
        skipSpace();
        if (pos_ == end_ || *pos_ != '=')
            return false;
        ++pos_;
        return true;
    }

    // Reads the content text from the current position up to the next "<" (or the end).
    void contentText(const CharT*& begin, const CharT*& end);

    // Shortcuts for the common shapes of markup, each reading exactly what next() would
    // read; when the text has another shape they read nothing and return false.
    //   "<name": a start tag and its name (at "<", after contentText).
    bool readStartTagName(const CharT*& nameBegin, const CharT*& nameEnd)
    {
        if (end_ - pos_ < 2 || !startsPlainText(pos_[1]) || pos_[1] == '!' || pos_[1] == '?')
            return false; // "<?" opens a declaration, "<!" verbatim pieces
        if ((pos_[1] == 'P' && tokenizer::startsWith(pos_, end_, "<PRE>")) ||
            (pos_[1] == 'S' && tokenizer::startsWith(pos_, end_, "<Script>")))
            return false; // verbatim pieces
        nameBegin = pos_ + 1;
        nameEnd = pos_ = textEnd(pos_ + 2);
        return true;
    }
    //   a name inside a start tag, after white space.
    bool readName(const CharT*& nameBegin, const CharT*& nameEnd)
    {
        skipSpace();
        if (pos_ == end_ || !startsPlainText(*pos_))
            return false;
        nameBegin = pos_;
        nameEnd = pos_ = textEnd(pos_ + 1);
        return true;
    }
    //   a quoted value, after white space; `plain` tells whether it holds no "&" and, in
    //   UTF-8, no character beyond ASCII, so that it needs no decoding.
    bool readQuoted(const CharT*& valueBegin, const CharT*& valueEnd, bool& plain)
    {
        if (pos_ != end_ && !(classOf(*pos_) & quoteClass))
            skipSpace();
        if (pos_ == end_ || !(classOf(*pos_) & quoteClass))
            return false;
        const CharT quote = *pos_;
        std::uint8_t seen = 0;
        for (const CharT* p = pos_ + 1; p != end_; ++p)
        {
            const std::uint8_t found = classOf(*p);
            if (found & (quoteClass | lessThanClass))
            {
                if (*p == '<')
                    return false; // the quote is text
                if (*p == quote)
                {
                    valueBegin = pos_ + 1;
                    valueEnd = p;
                    pos_ = p + 1;
                    plain = !(seen & decodingClass);
                    return true;
                }
            }
            seen |= found;
        }
        return false;
    }

private:
    Token readClear(const CharT* start, const XMLClearMarker& marker);
    Token readText(const CharT* start);

    void skipSpace()
    {
        while (pos_ != end_ && isXMLSpace(*pos_))
            ++pos_;
    }
    // A character that starts a text token and nothing else: no white space, "<", ">", "=",
    // "/" or quote.
    static bool startsPlainText(CharT c) { return !(classOf(c) & (endsTextClass | quoteClass)); }
    // The end of a text token whose first character lies before p.
    const CharT* textEnd(const CharT* p) const
    {
        for (;; ++p) // past each "/" that is not "/>"
        {
            while (p != end_ && !mayEndText(*p))
                ++p;
            if (p == end_ || *p != '/' || (p + 1 != end_ && p[1] == '>'))
                return p;
        }
    }

    const CharT* pos_;
    const CharT* end_;
};


template <typename CharT> XMLToken<CharT> XMLTokenizer<CharT>::next()
{
    skipSpace();
    const CharT* start = pos_;
    if (pos_ == end_)
        return {XMLTokenKind::End, start, start, start};

    auto simple = [&](XMLTokenKind kind, std::size_t length) {
        pos_ += length;
        return Token{kind, start, start, pos_};
    };
    const CharT second = end_ - pos_ > 1 ? pos_[1] : CharT(0);
    switch (*pos_)
    {
    case '<':
        if (second == '!' || second == 'P' || second == 'S') // the only starts of clear markers
            for (const XMLClearMarker& marker : tokenizer::clearMarkers)
                if (tokenizer::startsWith(pos_, end_, marker.open))
                    return readClear(start, marker);
        if (second == '/')
            return simple(XMLTokenKind::EndTag, 2);
        if (second == '?')
            return simple(XMLTokenKind::DeclarationTag, 2);
        return simple(XMLTokenKind::StartTag, 1);
    case '>':
        return simple(XMLTokenKind::TagClose, 1);
    case '=':
        return simple(XMLTokenKind::Equals, 1);
    case '/':
        if (second == '>')
            return simple(XMLTokenKind::EmptyTagClose, 2);
        return readText(start);
    case '"':
    case '\'':
        // A quote that meets "<" or the end before its partner is ordinary text.
        for (const CharT* p = pos_ + 1; p != end_ && *p != '<'; ++p)
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

template <typename CharT> XMLToken<CharT> XMLTokenizer<CharT>::readText(const CharT* start)
{
    pos_ = textEnd(start + 1); // the caller saw a character that starts text
    return {XMLTokenKind::Text, start, start, pos_};
}

template <typename CharT>
XMLToken<CharT> XMLTokenizer<CharT>::readClear(const CharT* start, const XMLClearMarker& marker)
{
    const CharT* content = start + marker.open.size();
    const XMLClearMarker* closing = &marker;
    if (&marker == &tokenizer::doctypeMarker)
    {
        const CharT* firstOpen = tokenizer::find(content, end_, CharT('<'));
        const CharT* firstClose = tokenizer::find(content, end_, CharT('>'));
        if (firstOpen && (!firstClose || firstOpen < firstClose))
            closing = &tokenizer::doctypeWithSubset;
    }
    Token token{XMLTokenKind::Clear, start, content, end_, &marker, closing->wideClose};
    const CharT* closeAt = tokenizer::find(content, end_, closing->close);
    if (!closeAt)
    {
        token.terminated = false;
        pos_ = end_;
        return token;
    }
    token.end = closeAt;
    pos_ = closeAt + closing->close.size();
    return token;
}

template <typename CharT> void XMLTokenizer<CharT>::contentText(const CharT*& begin, const CharT*& end)
{
    begin = pos_;
    const CharT* markup = tokenizer::find(pos_, end_, CharT('<'));
    pos_ = markup ? markup : end_;
    end = pos_;
}

} // namespace detail
