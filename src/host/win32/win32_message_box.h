// Message boxes through MessageBoxW, owned by the calling thread's active window as the
// runtime's MsgBox does; with no active window the box is task-modal, so it still blocks the
// thread's other windows.
#pragma once

#include "host/services.h"

namespace tovalin::win32 {

class Win32MessageBox : public MessageBox {
 public:
  // `style` is the runtime's MsgBox style, which is MessageBox's; so is the result (IDOK 1,
  // IDCANCEL 2, IDYES 6, IDNO 7). A box that cannot be shown counts as Cancel.
  int Show(const std::string& text, int style, const std::string& title) override;
};

}  // namespace tovalin::win32
