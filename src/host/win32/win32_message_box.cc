#include "host/win32/win32_message_box.h"

#include <windows.h>

#include "host/win32/utf16.h"

namespace tovalin::win32 {

int Win32MessageBox::Show(const std::string& text, int style, const std::string& title) {
  HWND owner = GetActiveWindow();
  UINT type = static_cast<UINT>(style);
  if (owner == nullptr) type |= MB_TASKMODAL;
  const int result =
      MessageBoxW(owner, Utf8ToUtf16(text).c_str(), Utf8ToUtf16(title).c_str(), type);
  return result == 0 ? kMbCancel : result;
}

}  // namespace tovalin::win32
