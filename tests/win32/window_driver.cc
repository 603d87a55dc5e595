#include "window_driver.h"

#include <atomic>
#include <exception>
#include <thread>

#include "harness_support.h"

namespace tovalin::win32::testing {
namespace {

constexpr std::chrono::milliseconds kPollInterval{20};

struct Search {
  const std::wstring* title;
  const std::function<bool(HWND)>* accept;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  if (ClassNameOf(window) != L"#32770") return TRUE;
  if (search.title != nullptr && WindowText(window) != *search.title) return TRUE;
  if (*search.accept && !(*search.accept)(window)) return TRUE;
  search.found.push_back(window);
  return TRUE;
}

std::vector<HWND> AllDialogs() {
  const std::function<bool(HWND)> any;
  Search search{nullptr, &any, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::wstring WindowText(HWND window) {
  // WM_GETTEXT rather than GetWindowText, which does not read another thread's controls.
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? std::wstring() : WindowText(control);
}

bool IsMessageBox(HWND dialog) { return GetDlgItem(dialog, kMessageBoxTextId) != nullptr; }

std::vector<HWND> FindDialogs(const std::wstring& title, const std::function<bool(HWND)>& accept) {
  Search search{&title, &accept, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialog(const std::wstring& title, const std::string& what,
                   const std::function<bool(HWND)>& accept, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const std::vector<HWND> found = FindDialogs(title, accept);
    if (!found.empty()) return found.front();
    if (std::chrono::steady_clock::now() > deadline) {
      throw DriverError(what + " did not appear within " + std::to_string(timeout.count()) + " ms");
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

void WaitUntilClosed(HWND window, const std::string& what, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (IsWindow(window)) {
    if (std::chrono::steady_clock::now() > deadline) {
      throw DriverError(what + " did not close within " + std::to_string(timeout.count()) + " ms");
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

HWND Control(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) throw DriverError("the dialog has no control " + std::to_string(id));
  return control;
}

void ClickButton(HWND dialog, int id) { PostMessageW(Control(dialog, id), BM_CLICK, 0, 0); }

void SetControlText(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetCheck(HWND dialog, int id, int state) {
  SendMessageW(Control(dialog, id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int CheckState(HWND dialog, int id) {
  return static_cast<int>(SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0));
}

bool IsControlEnabled(HWND dialog, int id) { return IsWindowEnabled(Control(dialog, id)) != 0; }

std::vector<std::wstring> ListItems(HWND dialog, int list_id) {
  HWND list = Control(dialog, list_id);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  std::vector<std::wstring> items;
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) throw DriverError("cannot read list item " + std::to_string(index));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(text);
  }
  return items;
}

std::vector<bool> ListSelection(HWND dialog, int list_id) {
  HWND list = Control(dialog, list_id);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  std::vector<bool> selected;
  for (LRESULT index = 0; index < count; ++index) {
    selected.push_back(SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0);
  }
  return selected;
}

void SetListSelection(HWND dialog, int list_id, int index, bool selected) {
  HWND list = Control(dialog, list_id);
  if (SendMessageW(list, LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(index)) ==
      LB_ERR) {
    throw DriverError("cannot select list item " + std::to_string(index));
  }
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list_id, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

std::string RunWithScript(const std::function<void()>& modal, const std::function<void()>& script,
                          std::chrono::milliseconds timeout) {
  std::atomic<bool> modal_done{false};
  std::string failure;
  std::thread driver([&] {
    try {
      script();
    } catch (const std::exception& error) {
      failure = error.what();
    } catch (...) {
      failure = "the script failed";
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!modal_done && failure.empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(kPollInterval);
    }
    if (!modal_done && failure.empty()) failure = "the dialogs were still open after the script";
    // Close whatever is left, innermost first as the list comes, until the modal call returns.
    while (!modal_done) {
      for (HWND dialog : AllDialogs()) PostMessageW(dialog, WM_CLOSE, 0, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  try {
    modal();
  } catch (...) {
    modal_done = true;
    driver.join();
    throw;
  }
  modal_done = true;
  driver.join();
  return failure;
}

}  // namespace tovalin::win32::testing
