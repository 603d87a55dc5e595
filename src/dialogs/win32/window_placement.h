// Placing a dialog where a fixed dialog opens: centred over its owner window, or over the work
// area of the screen when there is no visible owner, and kept inside that work area.
#pragma once

#include <windows.h>

namespace tovalin::win32 {

void CenterOverOwner(HWND window, HWND owner);

}  // namespace tovalin::win32
