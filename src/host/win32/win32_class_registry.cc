#include "host/win32/win32_class_registry.h"

#include <windows.h>

#include "host/win32/utf16.h"

namespace tovalin::win32 {

bool Win32ClassRegistry::KeyExists(const std::string& name) {
  if (name.find('\0') != std::string::npos) return false;
  HKEY key = nullptr;
  // MAXIMUM_ALLOWED, as RegOpenKey asks: any access at all proves the key is there.
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, Utf8ToUtf16(name).c_str(), 0, MAXIMUM_ALLOWED, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

}  // namespace tovalin::win32
