#include "config/detail/XMLTreeBuilder.h"

#include "config/detail/XMLEntities.h"
#include "config/detail/XMLNodeData.h"
#include "config/detail/XMLTokenizer.h"

#include <cwchar>
#include <vector>

namespace detail
{
namespace
{

// Parses without recursion: the open elements are the chain from `current` up to the top node.
class TreeBuilder
{
public:
    TreeBuilder(const wchar_t* text, std::size_t length, bool dropWhiteSpace)
        : text_(text), end_(text + length), tokens_(text, text + length),
          // Strings are disjoint pieces of the text, each followed by a character that is not
          // part of any string (or by the end), so one block of length + 1 holds them all.
          pool_(new XMLStringPool(length + 1)), dropWhiteSpace_(dropWhiteSpace)
    {
        pool_->retain();
    }
    TreeBuilder(const TreeBuilder&) = delete;
    TreeBuilder& operator=(const TreeBuilder&) = delete;
    ~TreeBuilder() { pool_->release(); }

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
        wchar_t* name;
        std::size_t nameLength;
        wchar_t* value; // null when written without "="
        std::size_t valueLength;
    };

    void parseContent(XMLNodeData* top);
    TagEnd parseStartTag(XMLNodeData* element);
    bool closeByEndTag(XMLNodeData*& current, const XMLToken& endTag);
    bool addContentText(XMLNodeData* node, const wchar_t* begin, const wchar_t* end);
    void finishAttributes(XMLNodeData* element);
    bool endTagCloses(const XMLNodeData* element, const wchar_t* name) const;

    wchar_t* copy(const wchar_t* begin, const wchar_t* end, std::size_t* length = nullptr);
    wchar_t* decode(const wchar_t* begin, const wchar_t* end, std::size_t& length);

    void fail(XMLError code, const wchar_t* at)
    {
        error_ = code;
        errorAt_ = at;
    }
    void warnUnmatched(const wchar_t* at)
    {
        if (error_ == eXMLErrorNone)
            fail(eXMLWarningUnmatchedEndTag, at);
    }
    bool failed() const { return error_ > eXMLWarningNoXMLTagFound; }

    const wchar_t* text_;
    const wchar_t* end_;
    XMLTokenizer tokens_;
    XMLStringPool* pool_;
    bool dropWhiteSpace_;
    XMLError error_ = eXMLErrorNone;
    const wchar_t* errorAt_ = nullptr;
    std::vector<PendingAttribute> attributes_;
};

XMLParseOutcome TreeBuilder::run(const wchar_t* tag)
{
    XMLNodeData* top = new XMLNodeData(pool_);
    top->refCount = 1;
    parseContent(top);
    if (failed())
    {
        release(top);
        return {nullptr, error_, static_cast<std::size_t>(errorAt_ - text_)};
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

    if (tag && !namesEqual(result->name.get(), tag))
    {
        XMLNodeData* found = nullptr;
        for (XMLNodeData* scope = result; scope && !found;)
        {
            XMLNodeData* declaration = nullptr;
            for (XMLNodeData* child : scope->children)
            {
                if (namesEqual(child->name.get(), tag))
                {
                    found = child;
                    break;
                }
                if (!declaration && child->isDeclaration)
                    declaration = child;
            }
            scope = declaration;
        }
        retain(found);
        release(result);
        result = found;
        if (!result)
            fail(eXMLErrorFirstTagNotFound, end_);
    }
    const std::size_t offset = error_ == eXMLErrorNone ? 0 : static_cast<std::size_t>(errorAt_ - text_);
    return {result, error_, offset};
}

void TreeBuilder::parseContent(XMLNodeData* top)
{
    XMLNodeData* current = top;
    for (;;)
    {
        const wchar_t* textBegin;
        const wchar_t* textEnd;
        tokens_.contentText(textBegin, textEnd);
        if (!addContentText(current, textBegin, textEnd))
            return;

        const XMLToken markup = tokens_.next();
        if (markup.kind == XMLTokenKind::End)
            break;
        if (markup.kind == XMLTokenKind::Clear)
        {
            if (!markup.terminated)
                return fail(eXMLErrorUnmatchedClearTagEnd, markup.start);
            current->appendClear({XMLText::borrow(copy(markup.begin, markup.end)),
                                  XMLText::borrow(markup.marker->open),
                                  XMLText::borrow(markup.closeTag)});
        }
        else if (markup.kind == XMLTokenKind::EndTag)
        {
            if (!closeByEndTag(current, markup))
                return;
        }
        else // "<" or "<?": content starts at "<", so nothing else can follow
        {
            const XMLToken name = tokens_.next();
            if (name.kind != XMLTokenKind::Text)
                return fail(eXMLErrorMissingStartTagName, name.start);
            XMLNodeData* element = new XMLNodeData(pool_);
            element->name = XMLText::borrow(copy(name.begin, name.end));
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

TreeBuilder::TagEnd TreeBuilder::parseStartTag(XMLNodeData* element)
{
    attributes_.clear();
    XMLToken token = tokens_.next();
    for (;;)
    {
        switch (token.kind)
        {
        case XMLTokenKind::Text: {
            PendingAttribute attribute{};
            attribute.name = copy(token.begin, token.end, &attribute.nameLength);
            token = tokens_.next();
            if (token.kind == XMLTokenKind::Equals)
            {
                const XMLToken value = tokens_.next();
                if (value.kind != XMLTokenKind::Text && value.kind != XMLTokenKind::Quoted)
                {
                    fail(eXMLErrorUnexpectedToken, value.start);
                    return TagEnd::Failed;
                }
                attribute.value = decode(value.begin, value.end, attribute.valueLength);
                if (!attribute.value)
                    return TagEnd::Failed;
                token = tokens_.next();
            }
            attributes_.push_back(attribute);
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

void TreeBuilder::finishAttributes(XMLNodeData* element)
{
    // "<?xml version='1.0'?>": the "?" of "?>" ends up on the last attribute.
    if (element->isDeclaration && !attributes_.empty())
    {
        PendingAttribute& last = attributes_.back();
        wchar_t* chars = last.value ? last.value : last.name;
        std::size_t& length = last.value ? last.valueLength : last.nameLength;
        if (length > 0 && chars[length - 1] == L'?')
            chars[--length] = L'\0';
        if (!last.value && length == 0)
            attributes_.pop_back();
    }
    element->attributes.reserve(attributes_.size());
    for (const PendingAttribute& attribute : attributes_)
        element->attributes.push_back({XMLText::borrow(attribute.name), XMLText::borrow(attribute.value)});
}

bool TreeBuilder::closeByEndTag(XMLNodeData*& current, const XMLToken& endTag)
{
    const XMLToken name = tokens_.next();
    if (name.kind != XMLTokenKind::Text)
    {
        fail(eXMLErrorMissingEndTagName, name.start);
        return false;
    }
    const XMLToken close = tokens_.next();
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
    for (XMLNodeData* skipped = current; skipped != match; skipped = skipped->parent)
        if (!skipped->isDeclaration)
        {
            warnUnmatched(endTag.start);
            break;
        }
    current = match->parent;
    return true;
}

// The element's name, compared without regard to case, must be followed in the end tag by
// white space, "/", "<", ">" or "=".
bool TreeBuilder::endTagCloses(const XMLNodeData* element, const wchar_t* name) const
{
    const wchar_t* expected = element->name.get();
    if (!expected)
        return false;
    const wchar_t* p = name;
    for (; *expected; ++expected, ++p)
        if (p == end_ || foldCase(*p) != foldCase(*expected))
            return false;
    return p != end_ && (isXMLSpace(*p) || *p == L'/' || *p == L'<' || *p == L'>' || *p == L'=');
}

bool TreeBuilder::addContentText(XMLNodeData* node, const wchar_t* begin, const wchar_t* end)
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
    node->appendText(XMLText::borrow(text));
    return true;
}

wchar_t* TreeBuilder::copy(const wchar_t* begin, const wchar_t* end, std::size_t* length)
{
    const std::size_t count = static_cast<std::size_t>(end - begin);
    wchar_t* chars = pool_->allocate(count + 1);
    std::wmemcpy(chars, begin, count);
    chars[count] = L'\0';
    if (length)
        *length = count;
    return chars;
}

wchar_t* TreeBuilder::decode(const wchar_t* begin, const wchar_t* end, std::size_t& length)
{
    wchar_t* chars = pool_->allocate(static_cast<std::size_t>(end - begin) + 1);
    const wchar_t* badEntity = nullptr;
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

XMLParseOutcome parseDocument(const wchar_t* text, std::size_t length, const wchar_t* tag,
                              bool dropWhiteSpace)
{
    return TreeBuilder(text, length, dropWhiteSpace).run(tag);
}

} // namespace detail
