#pragma once

#include <cstddef>
#include <string>

#include "framework/Export.h"

// A small DOM reader for scene files. XMLNode is a handle to reference-counted node data:
// copies share the tree, and the data with its subtree is freed with its last handle.
// All names and texts are wide strings.

enum XMLError
{
    eXMLErrorNone = 0,
    eXMLWarningUnmatchedEndTag = 1,
    eXMLWarningNoXMLTagFound = 2,
    eXMLErrorNoXMLData = 3,
    eXMLErrorMissingStartTagName = 4,
    eXMLErrorMissingEndTagName = 5,
    eXMLErrorUnmatchedEndTag = 6,
    eXMLErrorUnmatchedClearTagEnd = 7,
    eXMLErrorUnexpectedToken = 8,
    eXMLErrorNoElements = 9,
    eXMLErrorFileNotFound = 10,
    eXMLErrorFirstTagNotFound = 11,
    eXMLErrorUnknownCharacterEntity = 12,
    eXMLErrorCharConversion = 13,
    eXMLErrorCannotOpenWriteFile = 14,
    eXMLErrorCannotWriteFile = 15,
    eXMLWarningBase64DataSizeIsNotMultipleOf4 = 16,
    eXMLErrorBase64DecodeIllegalCharacter = 17,
    eXMLWarningBase64DecodeTruncatedData = 18,
    eXMLErrorBase64DecodeBufferTooSmall = 19
};

// How files without a UTF-16 signature are decoded. Neither ever fails: a malformed UTF-8
// sequence reads as U+FFFD (one for each maximal malformed piece), so that one stray Latin-1
// byte in a comment costs one character, not the file. The 8-bit alternative is always
// Windows-1252 (Latin-1 with printable characters for 80 to 9F), whatever the platform, so
// that a scene file reads the same everywhere.
enum XMLCharEncoding
{
    eXMLEncodingUnchanged = 0, // for setGlobalOptions: keep the current choice
    eXMLEncodingUTF8 = 1,
    eXMLEncodingSystem = 2 // Windows-1252
};

// Outcome of a parse; line and column count from 1 and are 0 when there is no position.
struct DRAVIK_API XMLResults
{
    XMLError error;
    int nLine;
    int nColumn;
};

struct DRAVIK_API XMLAttribute
{
    const wchar_t* name;
    const wchar_t* value; // null for an attribute written without "="
};

// Text kept verbatim between an opening and a closing marker, e.g. a comment or CDATA.
struct DRAVIK_API XMLClear
{
    const wchar_t* value;
    const wchar_t* openTag;
    const wchar_t* closeTag;
};

namespace detail
{
struct XMLNodeData;
struct XMLParseOutcome;
} // namespace detail

class DRAVIK_API XMLNode
{
public:
    // The empty node: no data. Every failed lookup returns it.
    static const XMLNode emptyXMLNode;

    constexpr XMLNode() noexcept = default;
    XMLNode(const XMLNode& other) noexcept;
    XMLNode(XMLNode&& other) noexcept;
    XMLNode& operator=(const XMLNode& other) noexcept;
    XMLNode& operator=(XMLNode&& other) noexcept;
    ~XMLNode();

    // --- Reading documents -------------------------------------------------------------

    // Parses a file; on any result other than eXMLErrorNone writes the message to standard
    // error and ends the process with exit code 255.
    static XMLNode openFileHelper(const wchar_t* path, const wchar_t* tag = nullptr);
    static XMLNode parseFile(const wchar_t* path, const wchar_t* tag = nullptr,
                             XMLResults* results = nullptr);
    // Parses the bytes of a file held in memory: detects UTF-16 and UTF-8 (with or without a
    // byte-order mark), decodes, and parses. parseFile reads the file and calls this.
    static XMLNode parseBuffer(const void* bytes, std::size_t size, const wchar_t* tag = nullptr,
                               XMLResults* results = nullptr);
    static XMLNode parseString(const wchar_t* text, const wchar_t* tag = nullptr,
                               XMLResults* results = nullptr);

    // Whether a zero character ends the text of these bytes before the bytes end (parsing
    // stops there, as at the end of the text); if so, its line and column from 1. For telling
    // a user why a file that holds one did not parse as expected.
    static bool findZeroCharacter(const void* bytes, std::size_t size, int& line, int& column);

    static const wchar_t* getError(XMLError code);
    static const wchar_t* getVersion();

    // Options shared by all later parses. Defaults: UTF-8, guess UTF-16 on, drop white space on.
    static void setGlobalOptions(XMLCharEncoding encoding = eXMLEncodingUTF8,
                                 bool guessWideChars = true, bool dropWhiteSpace = true);

    // --- Navigating ---------------------------------------------------------------------
    // Names given to the lookups below are compared without regard to case.

    // Whether two handles share the same node (two empty nodes are the same).
    friend bool operator==(const XMLNode& a, const XMLNode& b) { return a.data_ == b.data_; }
    friend bool operator!=(const XMLNode& a, const XMLNode& b) { return a.data_ != b.data_; }

    const wchar_t* getName() const; // null for the empty node and a nameless top node
    bool isEmpty() const { return data_ == nullptr; }
    bool isDeclaration() const;
    XMLNode getParentNode() const;
    // The line (from 1) on which the element's start tag begins in the parsed text; 0 for the
    // empty node, a nameless top node and nodes that were built rather than parsed.
    int getLine() const;
    // The element that parsing with this tag picks from this node: the node itself when it
    // bears the tag's name, else its first child element that does, else the same search in
    // its first declaration child, and so on down; the empty node when there is none.
    XMLNode findTag(const wchar_t* tag) const;

    int nChildNode() const;
    int nChildNode(const wchar_t* name) const;
    XMLNode getChildNode(int i) const;
    XMLNode getChildNode(const wchar_t* name, int i = 0) const;

    int nAttribute() const;
    XMLAttribute getAttribute(int i) const;
    // Value of the first attribute with this name, or null. With an index, the search starts
    // at attribute *index, and after a match *index names the attribute after it.
    const wchar_t* getAttribute(const wchar_t* name, int* index = nullptr) const;

    int nText() const;
    const wchar_t* getText(int i = 0) const;
    int nClear() const;
    XMLClear getClear(int i = 0) const;
    int nElement() const; // child elements, texts and clear pieces together

    // --- Building and editing -------------------------------------------------------------
    // Positions count within the same kind of content; -1 (or past the end) appends.
    // A tree keeps its strings in memory of its own, given back when its last node goes; the
    // memory of replaced or deleted content is given back only then.

    static XMLNode createXMLTopNode(const wchar_t* name = nullptr, bool isDeclaration = false);
    XMLNode addChild(const wchar_t* name, bool isDeclaration = false, int pos = -1);
    // Moves an existing node (with its subtree) here; refuses this node and its ancestors.
    XMLNode addChild(XMLNode child, int pos = -1);
    XMLAttribute addAttribute(const wchar_t* name, const wchar_t* value);
    const wchar_t* addText(const wchar_t* text, int pos = -1);
    XMLClear addClear(const wchar_t* value, const wchar_t* openTag = L"<![CDATA[",
                      const wchar_t* closeTag = L"]]>", int pos = -1);

    const wchar_t* updateName(const wchar_t* name);
    // A null newName keeps the name. Updating by name adds the attribute when it is absent.
    XMLAttribute updateAttribute(const wchar_t* newValue, const wchar_t* newName, int i);
    XMLAttribute updateAttribute(const wchar_t* newValue, const wchar_t* newName,
                                 const wchar_t* name);
    const wchar_t* updateText(const wchar_t* text, int i = 0); // adds when there is no text i
    XMLClear updateClear(const wchar_t* value, int i = 0);      // adds when there is no piece i

    // Detaches the node from its parent, empties it and makes this handle empty.
    void deleteNodeContent();
    void deleteAttribute(int i = 0);
    void deleteAttribute(const wchar_t* name);
    void deleteText(int i = 0);
    void deleteClear(int i = 0);

    // --- Writing --------------------------------------------------------------------------

    // The tree as XML text; format puts each piece of content on its own indented line.
    std::wstring createXMLString(bool format = true) const;
    // Writes UTF-16LE with a byte-order mark and, unless the tree starts with a declaration,
    // an XML declaration line. Returns eXMLErrorNone, eXMLErrorCannotOpenWriteFile or
    // eXMLErrorCannotWriteFile.
    XMLError writeToFile(const wchar_t* path, bool format = true) const;

private:
    // Takes over a reference that the caller counted in the node; counts it as a handle's.
    explicit XMLNode(detail::XMLNodeData* adopted) noexcept;
    static XMLNode fromOutcome(const detail::XMLParseOutcome& outcome, XMLResults* results);

    detail::XMLNodeData* data_ = nullptr;
};

class DRAVIK_API ToXMLStringTool
{
public:
    // The text with & < > " ' replaced by their entities.
    static std::wstring toXML(const wchar_t* source);
};
