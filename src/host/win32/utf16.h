// UTF-8 <-> UTF-16 conversion at the Win32 and COM edge. Both directions accept any input:
// bytes that are not UTF-8, and UTF-16 surrogates that are not paired, become U+FFFD, so text
// from a hostile object still converts.
#pragma once

#include <string>
#include <string_view>

namespace tovalin::win32 {

std::wstring Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::wstring_view utf16);

}  // namespace tovalin::win32
