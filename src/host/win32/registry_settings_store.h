// The per-user settings store where the runtime's GetSetting and SaveSetting keep it:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, one REG_SZ value per
// key. Texts are UTF-16 in the registry.
#pragma once

#include <windows.h>

#include <string>

#include "host/platform_services.h"

namespace tovalin::win32 {

// The key under HKEY_CURRENT_USER that holds every application's settings.
inline constexpr wchar_t kProgramSettingsKey[] = L"Software\\VB and VBA Program Settings";

class RegistrySettingsStore : public SettingsStore {
 public:
  // The settings under `root`\`base` (tests give a key of their own).
  explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER,
                                 std::wstring base = kProgramSettingsKey);

  // The default when the key, or the value, is missing or is not a string; the text ends at its
  // first NUL, as the runtime reads it.
  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& default_value) override;
  // Creates the keys as needed. An empty or NUL-holding name fails with 5, as in the runtime; a
  // registry that refuses the write with 70 (access denied) or 5.
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  HKEY root_;
  std::wstring base_;
};

}  // namespace tovalin::win32
