#include "config/detail/XMLTreeBuilder.h"

#include "config/detail/XMLCharacters.h"
#include "config/detail/XMLEntities.h"
#include "config/detail/XMLNameTable.h"
#include "config/detail/XMLNodeData.h"
#include "config/detail/XMLTokenizer.h"

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
          arena_(new XMLArena), dropWhiteSpace_(dropWhiteSpace)
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
    TagEnd parseStartTag(XMLNodeData* element);
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
        for (; lineCountedTo_ != p; ++lineCountedTo_)
            line_ += *lineCountedTo_ == '\n';
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
            XMLNodeData* element = createNode(arena_);
            element->line = lineAt(markup.start);
            element->name = this->name(name.begin, name.end);
            element->isDeclaration = markup.kind == XMLTokenKind::DeclarationTag;
            current->appendChild(element);
            const TagEnd tagEnd = parseStartTag(element);
            if (tagEnd == TagEnd::Failed)
                return;
            if (tagEnd != TagEnd::Closed)
                current = element;
            if (tagEnd == TagEnd::EndOfText)
                break;
        }
    }
    // A declaration has no end tag; any other element still open lacks one.
    for (; current != top; current = current->parent)
        if (!current->isDeclaration)
            return warnUnmatched(end_);
}

template <typename CharT> typename TreeBuilder<CharT>::TagEnd TreeBuilder<CharT>::parseStartTag(XMLNodeData* element)
{
    attributes_.clear();
    Token token = tokens_.next();
    for (;;)
    {
        switch (token.kind)
        {
        case XMLTokenKind::Text: {
            PendingAttribute attribute{token.begin, token.end, nullptr, 0};
            if (tokens_.readEquals())
            {
                const Token value = tokens_.next();
                if (value.kind != XMLTokenKind::Text && value.kind != XMLTokenKind::Quoted)
                {
                    fail(eXMLErrorUnexpectedToken, value.start);
                    return TagEnd::Failed;
                }
                attribute.value = decode(value.begin, value.end, attribute.valueLength);
                if (!attribute.value)
                    return TagEnd::Failed;
            }
            attributes_.push_back(attribute);
            token = tokens_.next();
            break;
        }
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
    element->attributes.reserve(*arena_, attributes_.size());
    for (const PendingAttribute& attribute : attributes_)
        element->attributes.push_back(*arena_, {name(attribute.nameBegin, attribute.nameEnd), attribute.value});
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

template <typename CharT>
wchar_t* TreeBuilder<CharT>::decode(const CharT* begin, const CharT* end, std::size_t& length)
{
    wchar_t* chars = arena_->allocateChars(static_cast<std::size_t>(end - begin) + 1);
    const CharT* badEntity = nullptr;
    wchar_t* charsEnd = decodeEntities(begin, end, chars, badEntity);
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
