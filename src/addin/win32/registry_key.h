// An owned registry key handle and the few writes registration makes. Results are the Win32
// error codes of the Reg* functions.
#pragma once

#include <windows.h>

#include <string>

namespace tovalin::win32 {

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens `path` under `parent` for writing, creating it and its missing parents.
  LONG Create(HKEY parent, const std::wstring& path);
  // A REG_SZ value; an empty name is the key's default value.
  LONG SetString(const wchar_t* name, const std::wstring& value);
  LONG SetDword(const wchar_t* name, DWORD value);

 private:
  HKEY key_ = nullptr;
};

// Creates `path` under `parent` and sets its default value.
LONG CreateKeyWithDefault(HKEY parent, const std::wstring& path, const std::wstring& value);

// Deletes `path` and everything below it; a key that does not exist counts as deleted.
LONG DeleteKeyTree(HKEY parent, const std::wstring& path);

// True when `path` can be opened for reading under `parent`; `view` may name the 32-bit or
// 64-bit view of the registry (KEY_WOW64_32KEY, KEY_WOW64_64KEY).
bool KeyExists(HKEY parent, const std::wstring& path, REGSAM view = 0);

}  // namespace tovalin::win32
