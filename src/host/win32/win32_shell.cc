#include "host/win32/win32_shell.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "host/win32/utf16.h"

namespace tovalin::win32 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// The file-system path of an item list, which it frees whether or not there is one; nullopt
// when there is no list or no path.
std::optional<std::string> PathFromIdList(LPITEMIDLIST list) {
  if (list == nullptr) return std::nullopt;
  // Larger than MAX_PATH, the most SHGetPathFromIDListW writes.
  std::wstring buffer(1025, L'\0');
  std::optional<std::string> path;
  if (SHGetPathFromIDListW(list, buffer.data()) != FALSE) {
    buffer.resize(buffer.find(L'\0'));
    if (!buffer.empty()) path = Utf16ToUtf8(buffer);
  }
  CoTaskMemFree(list);
  return path;
}

// Preselects the initial folder (the callback's data) once the picker exists; nothing else.
int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::optional<std::string> Win32Shell::SpecialFolderLocation(int csidl, WindowHandle owner) {
  LPITEMIDLIST list = nullptr;
  // A failing call hands out no list: there is nothing to free.
  if (SHGetSpecialFolderLocation(ToHwnd(owner), csidl, &list) != S_OK) return std::nullopt;
  return PathFromIdList(list);
}

std::optional<std::string> Win32Shell::PickFolder(WindowHandle owner,
                                                  const std::string& initial_folder,
                                                  const std::string& prompt) {
  // Both texts live until the picker has returned; the callback reads the folder from lParam.
  const std::wstring folder = Utf8ToUtf16(initial_folder);
  const std::wstring title = Utf8ToUtf16(prompt);
  BROWSEINFOW info{};
  info.hwndOwner = ToHwnd(owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = nullptr;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallbackProc;
  info.lParam = reinterpret_cast<LPARAM>(folder.c_str());
  return PathFromIdList(SHBrowseForFolderW(&info));
}

void Win32Shell::OpenLink(WindowHandle owner, const std::string& target) {
  ShellExecuteW(ToHwnd(owner), L"open", Utf8ToUtf16(target).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

}  // namespace tovalin::win32
