// Drives this process's dialogs from a second thread while the main thread runs them modally: find
// a dialog window, read and set its controls, click its buttons. Every wait has a time limit and
// fails with DriverError instead of hanging.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovalin::win32::testing {

class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::chrono::milliseconds kWindowTimeout{10000};

// The control ID of a message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring WindowText(HWND window);
std::wstring ClassNameOf(HWND window);
// The text of the dialog's control `id`; empty when there is no such control.
std::wstring ControlText(HWND dialog, int id);
// True when the dialog is a message box (it has the message text control).
bool IsMessageBox(HWND dialog);

// The visible dialog windows (class "#32770") of this process captioned `title`, for which
// `accept` (when given) is true.
std::vector<HWND> FindDialogs(const std::wstring& title,
                              const std::function<bool(HWND)>& accept = {});
// Waits for one such dialog; throws DriverError naming `what` when none appears in time.
HWND WaitForDialog(const std::wstring& title, const std::string& what,
                   const std::function<bool(HWND)>& accept = {},
                   std::chrono::milliseconds timeout = kWindowTimeout);
// Waits until the window has been destroyed.
void WaitUntilClosed(HWND window, const std::string& what,
                     std::chrono::milliseconds timeout = kWindowTimeout);

// The control `id` of the dialog; throws DriverError when it is missing.
HWND Control(HWND dialog, int id);
// Posts a click to a button: posting (not sending) lets the dialog open a modal box from its
// handler without blocking this thread.
void ClickButton(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::wstring& text);
void SetCheck(HWND dialog, int id, int state);
int CheckState(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);

// List box items and their selection. SetListSelection changes the selection as a click would:
// LB_SETSEL, then the list's LBN_SELCHANGE notification to the dialog.
std::vector<std::wstring> ListItems(HWND dialog, int list_id);
std::vector<bool> ListSelection(HWND dialog, int list_id);
void SetListSelection(HWND dialog, int list_id, int index, bool selected);

// Runs `modal` on the calling thread (which shows the dialogs) and `script` on a second thread that
// drives them. When the script fails, or the dialogs are still open `timeout` after it ended,
// every dialog of this process is closed until `modal` returns, so the test fails instead of
// hanging. Returns the failure ("" when none).
std::string RunWithScript(const std::function<void()>& modal, const std::function<void()>& script,
                          std::chrono::milliseconds timeout = kWindowTimeout);

}  // namespace tovalin::win32::testing
