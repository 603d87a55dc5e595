// While a modal window is up, the thread's other top-level windows take no input, as with a
// modal form: the editor's floating tool windows too, not only the window that owns the dialog.
// Otherwise the user could switch projects or rename a form under an open export dialog.
#pragma once

#include <windows.h>

#include <vector>

namespace tovalin::win32 {

class ThreadWindowsDisabled {
 public:
  // Disables every visible, enabled top-level window of this thread except `modal`.
  explicit ThreadWindowsDisabled(HWND modal) noexcept;
  ~ThreadWindowsDisabled() { Restore(); }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

  // Enables again the windows it disabled that still exist; later calls do nothing.
  void Restore() noexcept;

 private:
  std::vector<HWND> disabled_;
};

}  // namespace tovalin::win32
