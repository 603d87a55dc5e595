// UTF-8 text of the object model to and from the UTF-16 of BSTRs and OLE names.
#pragma once

#include <oaidl.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tovalin::fake {

// A new BSTR holding `utf8` (empty text gives an empty, non-null BSTR). Embedded NULs are kept.
// Throws std::bad_alloc when it cannot be allocated.
BSTR ToBstr(std::string_view utf8);

// The UTF-8 of `length` UTF-16 code units at `text` (null with length 0 is the empty text).
std::string FromUtf16(const wchar_t* text, size_t length);

// The whole BSTR (its length prefix, not a NUL, ends it); null is the empty text.
inline std::string FromBstr(BSTR text) { return FromUtf16(text, SysStringLen(text)); }

}  // namespace tovalin::fake
