#include "text_convert.h"

#include <windows.h>

#include <climits>
#include <new>

namespace tovalin::fake {

BSTR ToBstr(std::string_view utf8) {
  if (utf8.size() > static_cast<size_t>(INT_MAX)) throw std::bad_alloc();
  const int bytes = static_cast<int>(utf8.size());
  const int units =
      bytes == 0 ? 0 : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
  if (bytes != 0 && units == 0) throw std::bad_alloc();
  BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(units));
  if (text == nullptr) throw std::bad_alloc();
  if (units != 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, text, units);
  return text;
}

std::string FromUtf16(const wchar_t* text, size_t length) {
  if (text == nullptr || length == 0) return {};
  if (length > static_cast<size_t>(INT_MAX / 4)) throw std::bad_alloc();
  const int units = static_cast<int>(length);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  if (bytes != 0) {
    WideCharToMultiByte(CP_UTF8, 0, text, units, utf8.data(), bytes, nullptr, nullptr);
  }
  return utf8;
}

}  // namespace tovalin::fake
