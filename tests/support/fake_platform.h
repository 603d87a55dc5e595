// Test doubles of the settings store and the shell.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "host/host_error.h"
#include "host/platform_services.h"

namespace tovalin::testing {

// Values in a map keyed by (application, section, key); saves can be made to fail.
class FakeSettingsStore : public SettingsStore {
 public:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& default_value) override {
    const auto found = values.find({app, section, key});
    return found == values.end() ? default_value : found->second;
  }
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override {
    ++saves;
    if (save_error) throw *save_error;
    values[{app, section, key}] = value;
  }
  // The option of the export dialog.
  std::optional<std::string> Option(const std::string& key) const {
    const auto found = values.find({"Export Forms to Visual Basic", "Options", key});
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void SetOption(const std::string& key, const std::string& value) {
    values[{"Export Forms to Visual Basic", "Options", key}] = value;
  }

  std::map<Key, std::string> values;
  std::optional<HostError> save_error;
  int saves = 0;
};

// A documents folder, a folder picker that answers from `picked`, and a record of opened links.
class FakeShell : public Shell {
 public:
  std::optional<std::string> SpecialFolderLocation(int csidl, WindowHandle /*owner*/) override {
    if (csidl != kCsidlPersonal) return std::nullopt;
    return documents;
  }
  std::optional<std::string> PickFolder(WindowHandle /*owner*/, const std::string& initial,
                                        const std::string& prompt) override {
    pick_requests.push_back({initial, prompt});
    return picked;
  }
  void OpenLink(WindowHandle /*owner*/, const std::string& target) override {
    opened.push_back(target);
  }

  std::optional<std::string> documents;
  std::optional<std::string> picked;
  std::vector<std::pair<std::string, std::string>> pick_requests;  // initial folder, prompt
  std::vector<std::string> opened;
};

}  // namespace tovalin::testing
