#include "config/detail/XMLTreeBuilder.h"

#include "config/detail/XMLCharacters.h"
#include "config/detail/XMLEntities.h"
#include "config/detail/XMLNameTable.h"
#include "config/detail/XMLNodeData.h"
#include "config/detail/XMLTokenizer.h"

#include <array>
#include <cstdint>
#include <vector>

namespace detail
{
namespace
{

// Parses without recursion: the open elements are the chain from `current` up to the top node.
template <typename CharT> class TreeBuilder
{
public:
    using Token = XMLToken<CharT>;

    TreeBuilder(const CharT* text, std::size_t length, bool dropWhiteSpace)
        : text_(text), end_(text + length), tokens_(text, text + length),
          arena_(new XMLArena), dropWhiteSpace_(dropWhiteSpace), names_(text + length)
    {
        arena_->retain();
    }
    TreeBuilder(const TreeBuilder&) = delete;
    TreeBuilder& operator=(const TreeBuilder&) = delete;
    ~TreeBuilder() { arena_->release(); }

    XMLParseOutcome run(const wchar_t* tag);

private:
    enum class TagEnd
    {
        Open,   // ">": the element's content follows
        Closed, // "/>"
        EndOfText,
        Failed
    };

    struct PendingAttribute
    {
        const CharT* nameBegin;
        const CharT* nameEnd;
        wchar_t* value; // null when written without "="
        std::size_t valueLength;
    };

    void parseContent(XMLNodeData* top);
    bool openElement(XMLNodeData*& current, const CharT* start, const CharT* nameBegin, const CharT* nameEnd,
                     bool declaration);
    TagEnd parseStartTag(XMLNodeData* element);
    bool readAttribute(const CharT* nameBegin, const CharT* nameEnd);
    bool closeByEndTag(XMLNodeData*& current, const Token& endTag);
    bool addContentText(XMLNodeData* node, const CharT* begin, const CharT* end);
    void finishAttributes(XMLNodeData* element);
    bool endTagCloses(const XMLNodeData* element, const CharT* name) const;
    XMLResults results() const;

    wchar_t* copy(const CharT* begin, const CharT* end);
    const wchar_t* name(const CharT* begin, const CharT* end)
    {
        return names_.intern(begin, end, [this](const CharT* b, const CharT* e) { return copy(b, e); });
    }
    wchar_t* decode(const CharT* begin, const CharT* end, std::size_t& length);
    wchar_t* copyPlain(const CharT* begin, const CharT* end, std::size_t& length);

    void fail(XMLError code, const CharT* at)
    {
        error_ = code;
        errorAt_ = at;
    }
    void warnUnmatched(const CharT* at)
    {
        if (error_ == eXMLErrorNone)
            fail(eXMLWarningUnmatchedEndTag, at);
    }
    bool failed() const { return error_ > eXMLWarningNoXMLTagFound; }

    // The line (from 1) of a position at or after the last one asked for.
    std::uint32_t lineAt(const CharT* p)
    {
        line_ += static_cast<std::uint32_t>(countLineFeeds(lineCountedTo_, p));
        lineCountedTo_ = p;
        return line_;
    }

    const CharT* text_;
    const CharT* end_;
    XMLTokenizer<CharT> tokens_;
    XMLArena* arena_;
    bool dropWhiteSpace_;
    XMLError error_ = eXMLErrorNone;
    const CharT* errorAt_ = nullptr;
    std::vector<PendingAttribute> attributes_;
    struct RecentName
    {
        const CharT* source = nullptr;
        std::size_t length = 0;
        const wchar_t* name = nullptr;
    };
    struct AttributeNames
    {
        const wchar_t* element = nullptr; // stored names are unique: compared by address
        std::array<RecentName, 8> names{};
    };
    std::array<AttributeNames, 16> recentAttributeNames_{};
    const CharT* lineCountedTo_ = text_;
    std::uint32_t line_ = 1;
    XMLNameTable<CharT> names_;
};

template <typename CharT> XMLParseOutcome TreeBuilder<CharT>::run(const wchar_t* tag)
{
    XMLNodeData* top = createNode(arena_);
    top->refCount = 1;
    parseContent(top);
    if (failed())
    {
        release(top);
        return {nullptr, results()};
    }

    if (top->children.empty() && error_ == eXMLErrorNone)
        fail(eXMLWarningNoXMLTagFound, end_);
    XMLNodeData* result = top;
    if (top->children.size() == 1 && top->texts.empty() && top->clears.empty() &&
        top->attributes.empty())
    {
        result = top->children.front();
        result->parent = nullptr;
        top->children.clear(); // the reference moves to the caller
        release(top);
    }

    if (tag && !namesEqual(result->name, tag))
    {
        XMLNodeData* found = findTag(result, tag);
        retain(found);
        release(result);
        result = found;
        if (!result)
            fail(eXMLErrorFirstTagNotFound, end_);
    }
    return {result, results()};
}

template <typename CharT> XMLResults TreeBuilder<CharT>::results() const
{
    XMLResults results{error_, 0, 0};
    if (error_ != eXMLErrorNone)
        textPosition(text_, errorAt_, results.nLine, results.nColumn);
    return results;
}

template <typename CharT> void TreeBuilder<CharT>::parseContent(XMLNodeData* top)
{
    XMLNodeData* current = top;
    for (;;)
    {
        const CharT* textBegin;
        const CharT* textEnd;
        tokens_.contentText(textBegin, textEnd);
        if (!addContentText(current, textBegin, textEnd))
            return;

        const CharT* nameBegin;
        const CharT* nameEnd;
        if (tokens_.readStartTagName(nameBegin, nameEnd))
        {
            if (!openElement(current, nameBegin - 1, nameBegin, nameEnd, false))
                break;
            continue;
        }
        const Token markup = tokens_.next();
        if (markup.kind == XMLTokenKind::End)
            break;
        if (markup.kind == XMLTokenKind::Clear)
        {
            if (!markup.terminated)
                return fail(eXMLErrorUnmatchedClearTagEnd, markup.start);
            current->appendClear({copy(markup.begin, markup.end), markup.marker->wideOpen, markup.closeTag});
        }
        else if (markup.kind == XMLTokenKind::EndTag)
        {
            if (!closeByEndTag(current, markup))
                return;
        }
        else // "<" or "<?": content starts at "<", so nothing else can follow
        {
            const Token name = tokens_.next();
            if (name.kind != XMLTokenKind::Text)
                return fail(eXMLErrorMissingStartTagName, name.start);
            if (!openElement(current, markup.start, name.begin, name.end, markup.kind == XMLTokenKind::DeclarationTag))
                break;
        }
    }
    if (failed())
        return;
    // A declaration has no end tag; any other element still open lacks one.
    for (; current != top; current = current->parent)
        if (!current->isDeclaration)
            return warnUnmatched(end_);
}

// Makes the element whose start tag begins at `start` a child of `current` and reads its
// attributes; `current` becomes the element when content follows. False when parsing ends.
template <typename CharT>
bool TreeBuilder<CharT>::openElement(XMLNodeData*& current, const CharT* start, const CharT* nameBegin,
                                     const CharT* nameEnd, bool declaration)
{
    XMLNodeData* element = createNode(arena_);
    element->line = lineAt(start);
    element->name = name(nameBegin, nameEnd);
    element->isDeclaration = declaration;
    current->appendChild(element);
    const TagEnd tagEnd = parseStartTag(element);
    if (tagEnd == TagEnd::Open || tagEnd == TagEnd::EndOfText)
        current = element;
    return tagEnd == TagEnd::Open || tagEnd == TagEnd::Closed;
}

template <typename CharT> typename TreeBuilder<CharT>::TagEnd TreeBuilder<CharT>::parseStartTag(XMLNodeData* element)
{
    attributes_.clear();
    for (;;)
    {
        const CharT* nameBegin;
        const CharT* nameEnd;
        if (tokens_.readName(nameBegin, nameEnd))
        {
            if (!readAttribute(nameBegin, nameEnd))
                return TagEnd::Failed;
            continue;
        }
        const Token token = tokens_.next();
        switch (token.kind)
        {
        case XMLTokenKind::Text: // a name that starts with "/" or an unpaired quote
            if (!readAttribute(token.begin, token.end))
                return TagEnd::Failed;
            break;
        case XMLTokenKind::TagClose:
            finishAttributes(element);
            return TagEnd::Open;
        case XMLTokenKind::EmptyTagClose:
            finishAttributes(element);
            return TagEnd::Closed;
        case XMLTokenKind::End:
            finishAttributes(element);
            return TagEnd::EndOfText;
        default:
            fail(eXMLErrorUnexpectedToken, token.start);
            return TagEnd::Failed;
        }
    }
}

// An attribute whose name was read, with its value when "=" follows.
template <typename CharT> bool TreeBuilder<CharT>::readAttribute(const CharT* nameBegin, const CharT* nameEnd)
{
    PendingAttribute attribute{nameBegin, nameEnd, nullptr, 0};
    if (tokens_.readEquals())
    {
        const CharT* valueBegin;
        const CharT* valueEnd;
        bool plain = false;
        if (!tokens_.readQuoted(valueBegin, valueEnd, plain))
        {
            const Token value = tokens_.next();
            if (value.kind != XMLTokenKind::Text && value.kind != XMLTokenKind::Quoted)
            {
                fail(eXMLErrorUnexpectedToken, value.start);
                return false;
            }
            valueBegin = value.begin;
            valueEnd = value.end;
        }
        attribute.value = plain ? copyPlain(valueBegin, valueEnd, attribute.valueLength)
                                : decode(valueBegin, valueEnd, attribute.valueLength);
        if (!attribute.value)
            return false;
    }
    attributes_.push_back(attribute);
    return true;
}

template <typename CharT> void TreeBuilder<CharT>::finishAttributes(XMLNodeData* element)
{
    // "<?xml version='1.0'?>": the "?" of "?>" ends up on the last attribute.
    if (element->isDeclaration && !attributes_.empty())
    {
        PendingAttribute& last = attributes_.back();
        if (last.value)
        {
            if (last.valueLength > 0 && last.value[last.valueLength - 1] == L'?')
                last.value[--last.valueLength] = L'\0';
        }
        else if (last.nameEnd[-1] == '?' && --last.nameEnd == last.nameBegin)
            attributes_.pop_back();
    }
    // Elements of one name mostly repeat their attributes in one order: each attribute name
    // is first compared with the one at its place in the last element of that name.
    AttributeNames& recent = recentAttributeNames_[(reinterpret_cast<std::uintptr_t>(element->name) >> 4) %
                                                   recentAttributeNames_.size()];
    if (recent.element != element->name)
        recent = AttributeNames{element->name};
    element->attributes.reserveExactly(*arena_, attributes_.size());
    for (std::size_t i = 0; i < attributes_.size(); ++i)
    {
        const PendingAttribute& attribute = attributes_[i];
        const auto length = static_cast<std::size_t>(attribute.nameEnd - attribute.nameBegin);
        const wchar_t* stored = nullptr;
        if (i < recent.names.size())
        {
            RecentName& place = recent.names[i];
            if (place.length == length && place.source &&
                sameCharacters(attribute.nameBegin, place.source, length, end_))
                stored = place.name;
            else
                place = {attribute.nameBegin, length, stored = name(attribute.nameBegin, attribute.nameEnd)};
        }
        else
            stored = name(attribute.nameBegin, attribute.nameEnd);
        element->attributes.push_back(*arena_, {stored, attribute.value});
    }
}

template <typename CharT> bool TreeBuilder<CharT>::closeByEndTag(XMLNodeData*& current, const Token& endTag)
{
    const Token name = tokens_.next();
    if (name.kind != XMLTokenKind::Text)
    {
        fail(eXMLErrorMissingEndTagName, name.start);
        return false;
    }
    const Token close = tokens_.next();
    if (close.kind != XMLTokenKind::TagClose)
    {
        fail(eXMLErrorMissingEndTagName, close.start);
        return false;
    }
    if (endTagCloses(current, name.begin))
    {
        current = current->parent;
        return true;
    }
    // Offer the end tag to the enclosing elements; those in between close implicitly.
    XMLNodeData* match = current->parent;
    while (match && !endTagCloses(match, name.begin))
        match = match->parent;
    if (!match)
    {
        fail(eXMLErrorUnmatchedEndTag, endTag.start);
        return false;
    }
    warnUnmatched(endTag.start); // declarations included: none has an end tag of its own
    current = match->parent;
    return true;
}

// The element's name, compared without regard to case, must be followed in the end tag by
// white space, "/", "<", ">" or "=".
template <typename CharT> bool TreeBuilder<CharT>::endTagCloses(const XMLNodeData* element, const CharT* name) const
{
    const wchar_t* expected = element->name;
    if (!expected)
        return false;
    const CharT* p = name;
    for (; *expected; ++expected)
        if (p == end_ || foldCase(readChar(p, end_)) != foldCase(*expected))
            return false;
    return p != end_ && (isXMLSpace(*p) || *p == '/' || *p == '<' || *p == '>' || *p == '=');
}

template <typename CharT> bool TreeBuilder<CharT>::addContentText(XMLNodeData* node, const CharT* begin, const CharT* end)
{
    if (dropWhiteSpace_)
    {
        while (begin != end && isXMLSpace(*begin))
            ++begin;
        while (begin != end && isXMLSpace(end[-1]))
            --end;
    }
    if (begin == end)
        return true;
    std::size_t length;
    const wchar_t* text = decode(begin, end, length);
    if (!text)
        return false;
    if (*text != L'\0') // "&#0;" leaves nothing of a text, which is then dropped too
        node->appendText(text);
    return true;
}

// Text never gets longer as wide characters or with entities decoded, so its length in
// source characters plus a terminator is always room enough.
template <typename CharT> wchar_t* TreeBuilder<CharT>::copy(const CharT* begin, const CharT* end)
{
    wchar_t* chars = arena_->allocateChars(static_cast<std::size_t>(end - begin) + 1);
    *widen(begin, end, chars) = L'\0';
    return chars;
}

// Text known to hold only ASCII without entities.
template <typename CharT>
wchar_t* TreeBuilder<CharT>::copyPlain(const CharT* begin, const CharT* end, std::size_t& length)
{
    length = static_cast<std::size_t>(end - begin);
    wchar_t* chars = arena_->allocateChars(length + 1);
    for (std::size_t i = 0; i < length; ++i)
        chars[i] = static_cast<wchar_t>(begin[i]);
    chars[length] = L'\0';
    return chars;
}

template <typename CharT>
wchar_t* TreeBuilder<CharT>::decode(const CharT* begin, const CharT* end, std::size_t& length)
{
    wchar_t* chars = arena_->allocateChars(static_cast<std::size_t>(end - begin) + 1);
    wchar_t* charsEnd = chars;
    // Most texts hold neither entities nor characters beyond ASCII: those are copied here.
    for (; begin != end && !(classOf(*begin) & decodingClass); ++begin)
        *charsEnd++ = static_cast<wchar_t>(*begin);
    const CharT* badEntity = nullptr;
    if (begin != end)
        charsEnd = decodeEntities(begin, end, charsEnd, badEntity);
    if (!charsEnd)
    {
        fail(eXMLErrorUnknownCharacterEntity, badEntity);
        return nullptr;
    }
    *charsEnd = L'\0';
    length = static_cast<std::size_t>(charsEnd - chars);
    return chars;
}

} // namespace

template <typename CharT>
XMLParseOutcome parseDocument(const CharT* text, std::size_t length, const wchar_t* tag, bool dropWhiteSpace)
{
    return TreeBuilder<CharT>(text, length, dropWhiteSpace).run(tag);
}

template XMLParseOutcome parseDocument(const char*, std::size_t, const wchar_t*, bool);
template XMLParseOutcome parseDocument(const wchar_t*, std::size_t, const wchar_t*, bool);

} // namespace detail
