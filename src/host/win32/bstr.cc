#include "host/win32/bstr.h"

#include <limits>

#include "host/host_error.h"
#include "host/win32/utf16.h"

namespace tovalin::win32 {

Bstr::Bstr(std::string_view utf8) {
  const std::wstring wide = Utf8ToUtf16(utf8);
  if (wide.size() > std::numeric_limits<UINT>::max() / sizeof(wchar_t)) {
    throw HostError(kErrOutOfMemory);
  }
  value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (value_ == nullptr) throw HostError(kErrOutOfMemory);
}

std::string BstrToUtf8(BSTR value) {
  if (value == nullptr) return {};
  return Utf16ToUtf8(std::wstring_view(value, SysStringLen(value)));
}

}  // namespace tovalin::win32
