#pragma once

// Builds the node tree from text; internal to the XML reader.

#include "config/XMLNode.h"

#include <cstddef>

namespace detail
{

struct XMLNodeData;

struct XMLParseOutcome
{
    XMLNodeData* node; // one reference for the caller; null when the code is an error
    XMLResults results;
};

// Parses wide text or validated UTF-8 and picks the result: the single top-level element or
// the nameless top node, then the element named tag when a tag is given.
template <typename CharT>
XMLParseOutcome parseDocument(const CharT* text, std::size_t length, const wchar_t* tag, bool dropWhiteSpace);

extern template XMLParseOutcome parseDocument(const char*, std::size_t, const wchar_t*, bool);
extern template XMLParseOutcome parseDocument(const wchar_t*, std::size_t, const wchar_t*, bool);

} // namespace detail
