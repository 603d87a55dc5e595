// The platform services of the dialogs and the folder helpers: the per-user settings store and
// the shell (special folders, the folder picker, opening links). Each platform implements them
// once; tests use fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tovalin {

// A window of the platform's toolkit, 0 when there is none (the terminal).
using WindowHandle = std::uintptr_t;

// Per-user text values under application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value, or `default_value` when there is none or the store cannot be read.
  virtual std::string GetSetting(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& default_value) = 0;
  // Stores the value. Throws HostError when it cannot be stored.
  virtual void SaveSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

// Special-folder codes of the shell.
enum SpecialFolder : int {
  kCsidlPersonal = 5,  // the user's documents folder
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The path of a special folder, or nullopt when the platform has none for it.
  virtual std::optional<std::string> SpecialFolderLocation(int csidl, WindowHandle owner) = 0;
  // A modal folder picker over `owner` that opens on `initial_folder` and accepts only existing
  // folders. nullopt when the user cancels or picks something without a file-system path.
  virtual std::optional<std::string> PickFolder(WindowHandle owner,
                                                const std::string& initial_folder,
                                                const std::string& prompt) = 0;
  // Opens a web address or a "mailto:" address with the user's default program. Failures are
  // not reported.
  virtual void OpenLink(WindowHandle owner, const std::string& target) = 0;
};

}  // namespace tovalin
