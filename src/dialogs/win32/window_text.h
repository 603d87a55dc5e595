// Window texts in the program's UTF-8, converted to and from the UTF-16 of the W APIs here at
// the toolkit's edge. Malformed UTF-8 or UTF-16 becomes U+FFFD rather than failing, so a text
// from the editor (a form name) always reaches the screen.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tovalin::win32 {

// Throw HostError (7, out of memory) for a text too long for the Win32 length types.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// WM_GETTEXT and WM_SETTEXT of a window (a control's caption or an edit box's content).
std::string WindowTextUtf8(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view text);

}  // namespace tovalin::win32
