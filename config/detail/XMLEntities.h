#pragma once

// Character entities of the XML reader; internal.

namespace detail
{

// Decodes [begin, end) into out, which has room for end - begin characters (decoding never
// lengthens text). Returns the end of the output, or null with badEntity set to the ampersand
// of an entity that is unknown, malformed or not closed by ";".
wchar_t* decodeEntities(const wchar_t* begin, const wchar_t* end, wchar_t* out,
                        const wchar_t*& badEntity);

// The entity that stands for c when writing text ("&amp;" for "&" ...), or null.
const wchar_t* entityFor(wchar_t c);

} // namespace detail
