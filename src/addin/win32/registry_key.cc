#include "addin/win32/registry_key.h"

namespace tovalin::win32 {

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) RegCloseKey(key_);
}

LONG RegistryKey::Create(HKEY parent, const std::wstring& path) {
  if (key_ != nullptr) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
  return RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                         nullptr, &key_, nullptr);
}

LONG RegistryKey::SetString(const wchar_t* name, const std::wstring& value) {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  // The size counts bytes, the terminating NUL included.
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

LONG RegistryKey::SetDword(const wchar_t* name, DWORD value) {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof(value));
}

LONG CreateKeyWithDefault(HKEY parent, const std::wstring& path, const std::wstring& value) {
  RegistryKey key;
  const LONG result = key.Create(parent, path);
  if (result != ERROR_SUCCESS) return result;
  return key.SetString(nullptr, value);
}

LONG DeleteKeyTree(HKEY parent, const std::wstring& path) {
  // With a subkey named, RegDeleteTree removes the key itself along with its values and subkeys.
  const LONG result = RegDeleteTreeW(parent, path.c_str());
  return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

bool KeyExists(HKEY parent, const std::wstring& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace tovalin::win32
