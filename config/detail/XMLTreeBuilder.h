#pragma once

// Builds the node tree from wide text; internal to the XML reader.

#include "config/XMLNode.h"

#include <cstddef>

namespace detail
{

struct XMLNodeData;

struct XMLParseOutcome
{
    XMLNodeData* node;       // one reference for the caller; null when error is an error
    XMLError error;          // eXMLErrorNone, a warning or an error
    std::size_t errorOffset; // characters from the start of the text to the error position
};

// Parses the text and picks the result: the single top-level element or the nameless top
// node, then the element named tag when a tag is given.
XMLParseOutcome parseDocument(const wchar_t* text, std::size_t length, const wchar_t* tag,
                              bool dropWhiteSpace);

} // namespace detail
