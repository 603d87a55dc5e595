// The text of the settings file: sections of "name=value" lines, parsed and written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovalin {

// Files larger than this are not settings files.
inline constexpr size_t kMaxSettingsBytes = size_t{1} << 20;

struct SettingsSection {
  std::string app;
  std::string section;
  std::vector<std::pair<std::string, std::string>> values;
};

class SettingsText {
 public:
  // The value of the key, or nullopt. Names match ignoring ASCII case.
  std::optional<std::string> Find(const std::string& app, const std::string& section,
                                  const std::string& key) const;
  // Adds or replaces the value; a replaced key keeps its first spelling.
  void Set(const std::string& app, const std::string& section, const std::string& key,
           const std::string& value);

  std::string Serialize() const;
  // The settings of a file's text; on damage the error names the line and the fault.
  struct ParseResult;
  static ParseResult Parse(const std::string& text);

 private:
  std::vector<SettingsSection> sections_;
};

struct SettingsText::ParseResult {
  SettingsText settings;
  std::optional<std::string> error;
};

}  // namespace tovalin
