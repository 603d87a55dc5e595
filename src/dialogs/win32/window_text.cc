#include "dialogs/win32/window_text.h"

#include <climits>

#include "host/host_error.h"

namespace tovalin::win32 {
namespace {

template <typename Size>
int CheckedLength(Size size) {
  if (size > static_cast<Size>(INT_MAX)) throw HostError(kErrOutOfMemory);
  return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int wide_length = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  if (wide_length <= 0) return {};
  std::wstring wide(static_cast<size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wide_length);
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  const int narrow_length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (narrow_length <= 0) return {};
  std::string narrow(static_cast<size_t>(narrow_length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), narrow_length, nullptr,
                      nullptr);
  return narrow;
}

std::string WindowTextUtf8(HWND window) {
  // The length may overstate the text (it can count a conversion's worst case); the copy's
  // count is what was really written.
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return Utf8FromWide(text);
}

void SetWindowTextUtf8(HWND window, std::string_view text) {
  SetWindowTextW(window, WideFromUtf8(text).c_str());
}

}  // namespace tovalin::win32
