#include "config/XMLNode.h"

#include "config/detail/XMLCharacters.h"
#include "config/detail/XMLEncoding.h"
#include "config/detail/XMLNodeData.h"
#include "config/detail/XMLTreeBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

using detail::XMLNodeData;

namespace
{

struct GlobalOptions
{
    XMLCharEncoding encoding = eXMLEncodingUTF8;
    bool guessWideChars = true;
    bool dropWhiteSpace = true;
};

GlobalOptions& globalOptions()
{
    static GlobalOptions options;
    return options;
}

void setResults(XMLResults* results, XMLError error, int line = 0, int column = 0)
{
    if (results)
        *results = {error, line, column};
}

} // namespace

const XMLNode XMLNode::emptyXMLNode;

XMLNode::XMLNode(XMLNodeData* adopted) noexcept : data_(adopted)
{
    if (data_)
        ++data_->arena->handles;
}

XMLNode::XMLNode(const XMLNode& other) noexcept : data_(other.data_)
{
    detail::retainHandle(data_);
}

XMLNode::XMLNode(XMLNode&& other) noexcept : data_(other.data_)
{
    other.data_ = nullptr;
}

XMLNode& XMLNode::operator=(const XMLNode& other) noexcept
{
    detail::retainHandle(other.data_);
    detail::releaseHandle(data_);
    data_ = other.data_;
    return *this;
}

XMLNode& XMLNode::operator=(XMLNode&& other) noexcept
{
    if (this != &other)
    {
        detail::releaseHandle(data_);
        data_ = other.data_;
        other.data_ = nullptr;
    }
    return *this;
}

XMLNode::~XMLNode()
{
    detail::releaseHandle(data_);
}

// --- Reading documents ---------------------------------------------------------------------

XMLNode XMLNode::parseString(const wchar_t* text, const wchar_t* tag, XMLResults* results)
{
    if (!text)
    {
        setResults(results, eXMLErrorNoElements);
        return XMLNode();
    }
    return fromOutcome(detail::parseDocument(text, std::wcslen(text), tag, globalOptions().dropWhiteSpace), results);
}

XMLNode XMLNode::parseBuffer(const void* bytes, std::size_t size, const wchar_t* tag,
                             XMLResults* results)
{
    if (size == 0)
    {
        setResults(results, eXMLErrorNoXMLData);
        return XMLNode();
    }
    const GlobalOptions& options = globalOptions();
    detail::XMLDocumentText text;
    if (!detail::readDocumentText(static_cast<const unsigned char*>(bytes), size, options.encoding,
                                  options.guessWideChars, text))
    {
        setResults(results, eXMLErrorCharConversion);
        return XMLNode();
    }
    return fromOutcome(text.wide ? detail::parseDocument(text.wide.get(), text.length, tag, options.dropWhiteSpace)
                                 : detail::parseDocument(text.utf8, text.length, tag, options.dropWhiteSpace),
                       results);
}

bool XMLNode::findZeroCharacter(const void* bytes, std::size_t size, int& line, int& column)
{
    const GlobalOptions& options = globalOptions();
    detail::XMLDocumentText text;
    if (!detail::readDocumentText(static_cast<const unsigned char*>(bytes), size, options.encoding,
                                  options.guessWideChars, text) ||
        !text.endsAtZero)
        return false;
    if (text.wide)
        detail::textPosition(text.wide.get(), text.wide.get() + text.length, line, column);
    else
        detail::textPosition(text.utf8, text.utf8 + text.length, line, column);
    return true;
}

XMLNode XMLNode::fromOutcome(const detail::XMLParseOutcome& outcome, XMLResults* results)
{
    if (results)
        *results = outcome.results;
    return XMLNode(outcome.node);
}

XMLNode XMLNode::parseFile(const wchar_t* path, const wchar_t* tag, XMLResults* results)
{
    setResults(results, eXMLErrorNone);
    std::FILE* file = path ? std::fopen(detail::toUTF8(path).c_str(), "rb") : nullptr;
    if (!file)
    {
        setResults(results, eXMLErrorFileNotFound);
        return XMLNode();
    }
    std::string bytes;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    const bool readFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (readFailed)
    {
        setResults(results, eXMLErrorFileNotFound);
        return XMLNode();
    }
    return parseBuffer(bytes.data(), bytes.size(), tag, results);
}

XMLNode XMLNode::openFileHelper(const wchar_t* path, const wchar_t* tag)
{
    XMLResults results;
    XMLNode node = parseFile(path, tag, &results);
    if (results.error == eXMLErrorNone)
        return node;
    // The message a desktop build shows in an "XML Parsing error" box goes to standard error.
    std::string message = "XML Parsing error inside file '" + detail::toUTF8(path) + "'.\n" +
                          detail::toUTF8(getError(results.error)) + "\nAt line " +
                          std::to_string(results.nLine) + ", column " +
                          std::to_string(results.nColumn) + ".\n";
    if (results.error == eXMLErrorFirstTagNotFound)
        message += "First Tag should be '" + detail::toUTF8(tag) + "'.\n";
    std::fputs(message.c_str(), stderr);
    std::fflush(stderr);
    std::exit(255);
}

const wchar_t* XMLNode::getError(XMLError code)
{
    switch (code)
    {
    case eXMLErrorNone: return L"No error";
    case eXMLWarningUnmatchedEndTag: return L"Warning: Unmatched end tag";
    case eXMLWarningNoXMLTagFound: return L"Warning: No XML tag found";
    case eXMLErrorNoXMLData: return L"Error: No XML data";
    case eXMLErrorMissingStartTagName: return L"Error: Missing start tag name";
    case eXMLErrorMissingEndTagName: return L"Error: Missing end tag name";
    case eXMLErrorUnmatchedEndTag: return L"Error: Unmatched end tag";
    case eXMLErrorUnmatchedClearTagEnd: return L"Error: Unmatched clear tag end";
    case eXMLErrorUnexpectedToken: return L"Error: Unexpected token found";
    case eXMLErrorNoElements: return L"Error: No elements found";
    case eXMLErrorFileNotFound: return L"Error: File not found";
    case eXMLErrorFirstTagNotFound: return L"Error: First Tag not found";
    case eXMLErrorUnknownCharacterEntity: return L"Error: Unknown character entity";
    case eXMLErrorCharConversion: return L"Error: unable to convert between WideChar and MultiByte chars";
    case eXMLErrorCannotOpenWriteFile: return L"Error: unable to open file for writing";
    case eXMLErrorCannotWriteFile: return L"Error: cannot write into file";
    case eXMLWarningBase64DataSizeIsNotMultipleOf4: return L"Warning: Base64-string length is not a multiple of 4";
    case eXMLErrorBase64DecodeIllegalCharacter: return L"Error: Base64-string contains an illegal character";
    case eXMLWarningBase64DecodeTruncatedData: return L"Warning: Base64-string is truncated";
    case eXMLErrorBase64DecodeBufferTooSmall: return L"Error: Base64 decode output buffer is too small";
    }
    return L"Unknown";
}

const wchar_t* XMLNode::getVersion()
{
    return L"v2.30";
}

void XMLNode::setGlobalOptions(XMLCharEncoding encoding, bool guessWideChars, bool dropWhiteSpace)
{
    GlobalOptions& options = globalOptions();
    if (encoding != eXMLEncodingUnchanged)
        options.encoding = encoding;
    options.guessWideChars = guessWideChars;
    options.dropWhiteSpace = dropWhiteSpace;
}

// --- Navigating ----------------------------------------------------------------------------

const wchar_t* XMLNode::getName() const
{
    return data_ ? data_->name : nullptr;
}

bool XMLNode::isDeclaration() const
{
    return data_ && data_->isDeclaration;
}

int XMLNode::getLine() const
{
    return data_ ? static_cast<int>(data_->line) : 0;
}

XMLNode XMLNode::findTag(const wchar_t* tag) const
{
    XMLNodeData* found = detail::findTag(data_, tag);
    detail::retain(found);
    return XMLNode(found);
}

XMLNode XMLNode::getParentNode() const
{
    if (!data_ || !data_->parent)
        return XMLNode();
    detail::retain(data_->parent);
    return XMLNode(data_->parent);
}

int XMLNode::nChildNode() const
{
    return data_ ? static_cast<int>(data_->children.size()) : 0;
}

int XMLNode::nChildNode(const wchar_t* name) const
{
    int count = 0;
    if (data_)
        for (const XMLNodeData* child : data_->children)
            count += detail::namesEqual(child->name, name);
    return count;
}

XMLNode XMLNode::getChildNode(int i) const
{
    if (i < 0 || i >= nChildNode())
        return XMLNode();
    XMLNodeData* child = data_->children[static_cast<std::size_t>(i)];
    detail::retain(child);
    return XMLNode(child);
}

XMLNode XMLNode::getChildNode(const wchar_t* name, int i) const
{
    if (data_ && i >= 0)
        for (XMLNodeData* child : data_->children)
            if (detail::namesEqual(child->name, name) && i-- == 0)
            {
                detail::retain(child);
                return XMLNode(child);
            }
    return XMLNode();
}

int XMLNode::nAttribute() const
{
    return data_ ? static_cast<int>(data_->attributes.size()) : 0;
}

XMLAttribute XMLNode::getAttribute(int i) const
{
    if (i < 0 || i >= nAttribute())
        return {nullptr, nullptr};
    const detail::XMLAttributeData& attribute = data_->attributes[static_cast<std::size_t>(i)];
    return {attribute.name, attribute.value};
}

const wchar_t* XMLNode::getAttribute(const wchar_t* name, int* index) const
{
    for (int i = index ? *index : 0, n = nAttribute(); i >= 0 && i < n; ++i)
    {
        const detail::XMLAttributeData& attribute = data_->attributes[static_cast<std::size_t>(i)];
        if (detail::namesEqual(attribute.name, name))
        {
            if (index)
                *index = i + 1;
            return attribute.value;
        }
    }
    return nullptr;
}

int XMLNode::nText() const
{
    return data_ ? static_cast<int>(data_->texts.size()) : 0;
}

const wchar_t* XMLNode::getText(int i) const
{
    return i >= 0 && i < nText() ? data_->texts[static_cast<std::size_t>(i)] : nullptr;
}

int XMLNode::nClear() const
{
    return data_ ? static_cast<int>(data_->clears.size()) : 0;
}

XMLClear XMLNode::getClear(int i) const
{
    if (i < 0 || i >= nClear())
        return {nullptr, nullptr, nullptr};
    const detail::XMLClearData& clear = data_->clears[static_cast<std::size_t>(i)];
    return {clear.value, clear.openTag, clear.closeTag};
}

int XMLNode::nElement() const
{
    return data_ ? static_cast<int>(data_->contentCount()) : 0;
}
