#pragma once

// Character entities of the XML reader; internal.

namespace detail
{

// Decodes [begin, end) (wide text or validated UTF-8) into out, which has room for
// end - begin characters (decoding never lengthens text). Returns the end of the output, or
// null with badEntity set to the ampersand of an entity that is unknown, malformed or not
// closed by ";".
template <typename CharT>
wchar_t* decodeEntities(const CharT* begin, const CharT* end, wchar_t* out, const CharT*& badEntity);

extern template wchar_t* decodeEntities(const char*, const char*, wchar_t*, const char*&);
extern template wchar_t* decodeEntities(const wchar_t*, const wchar_t*, wchar_t*, const wchar_t*&);

// The entity that stands for c when writing text ("&amp;" for "&" ...), or null.
const wchar_t* entityFor(wchar_t c);

} // namespace detail
