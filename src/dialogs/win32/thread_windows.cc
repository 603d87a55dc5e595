#include "dialogs/win32/thread_windows.h"

namespace tovalin::win32 {
namespace {

struct Enumeration {
  HWND modal;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& enumeration = *reinterpret_cast<Enumeration*>(data);
  if (window == enumeration.modal || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
    return TRUE;
  }
  try {
    enumeration.found->push_back(window);
  } catch (...) {
    return FALSE;  // no memory: the windows found so far are disabled
  }
  return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND modal) noexcept {
  Enumeration enumeration{modal, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&enumeration));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

void ThreadWindowsDisabled::Restore() noexcept {
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
}

}  // namespace tovalin::win32
