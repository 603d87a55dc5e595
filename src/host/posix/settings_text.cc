#include "host/posix/settings_text.h"

#include <string_view>

namespace tovalin {
namespace {

constexpr char kHeader[] = "; tovalin settings. Names and values are kept exactly.\n";
constexpr char kHex[] = "0123456789ABCDEF";

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string Escape(std::string_view text, bool is_name) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool special = c == '\\' || byte < 0x20 || byte == 0x7F ||
                         (is_name && (c == '/' || c == '[' || c == ']' || c == '='));
    if (special) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The text of an escaped field, or nullopt for a bad escape.
std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 3 >= text.size() || text[i + 1] != 'x') return std::nullopt;
    const int high = HexDigit(text[i + 2]);
    const int low = HexDigit(text[i + 3]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 3;
  }
  return out;
}

}  // namespace

std::optional<std::string> SettingsText::Find(const std::string& app, const std::string& section,
                                              const std::string& key) const {
  for (const SettingsSection& s : sections_) {
    if (!SameName(s.app, app) || !SameName(s.section, section)) continue;
    for (const auto& [name, value] : s.values) {
      if (SameName(name, key)) return value;
    }
  }
  return std::nullopt;
}

void SettingsText::Set(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& value) {
  SettingsSection* target = nullptr;
  for (SettingsSection& s : sections_) {
    if (SameName(s.app, app) && SameName(s.section, section)) {
      target = &s;
      break;
    }
  }
  if (target == nullptr) target = &sections_.emplace_back(SettingsSection{app, section, {}});
  for (auto& [name, old_value] : target->values) {
    if (SameName(name, key)) {
      old_value = value;
      return;
    }
  }
  target->values.emplace_back(key, value);
}

std::string SettingsText::Serialize() const {
  std::string text = kHeader;
  for (const SettingsSection& s : sections_) {
    text += "\n[" + Escape(s.app, true) + "/" + Escape(s.section, true) + "]\n";
    for (const auto& [name, value] : s.values) {
      text += Escape(name, true) + "=" + Escape(value, false) + "\n";
    }
  }
  return text;
}

SettingsText::ParseResult SettingsText::Parse(const std::string& text) {
  ParseResult result;
  if (text.size() > kMaxSettingsBytes) {
    result.error = "larger than " + std::to_string(kMaxSettingsBytes) + " bytes";
    return result;
  }
  SettingsText& settings = result.settings;
  // The section of the last header, by index: adding sections moves them.
  std::optional<size_t> current;
  size_t line_number = 0;
  // Names are looked up one by one; no settings file of this program comes near this many
  // lines, and more would make reading it slow.
  constexpr size_t kMaxSettingsLines = 4096;
  for (size_t begin = 0; begin < text.size();) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + begin, end - begin);
    begin = end + 1;
    ++line_number;
    if (line_number > kMaxSettingsLines) {
      result.error = "more than " + std::to_string(kMaxSettingsLines) + " lines";
      result.settings = SettingsText{};
      return result;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fail = [&](const std::string& what) {
      result.error = "line " + std::to_string(line_number) + ": " + what;
      result.settings = SettingsText{};
      return std::move(result);
    };
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const size_t slash = line.find('/');
      if (line.back() != ']' || slash == std::string_view::npos) {
        return fail("a section header is \"[application/section]\"");
      }
      const auto app = Unescape(line.substr(1, slash - 1));
      const auto section = Unescape(line.substr(slash + 1, line.size() - slash - 2));
      if (!app || !section) return fail("bad escape in a section header");
      current.reset();
      for (size_t i = 0; i < settings.sections_.size(); ++i) {
        const SettingsSection& s = settings.sections_[i];
        if (SameName(s.app, *app) && SameName(s.section, *section)) current = i;
      }
      if (!current) {
        current = settings.sections_.size();
        settings.sections_.push_back(SettingsSection{*app, *section, {}});
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return fail("expected \"name=value\"");
    if (!current) return fail("a value before the first section header");
    const auto key = Unescape(line.substr(0, equals));
    const auto value = Unescape(line.substr(equals + 1));
    if (!key || !value) return fail("bad escape");
    const SettingsSection& s = settings.sections_[*current];
    settings.Set(s.app, s.section, *key, *value);
  }
  return result;
}

}  // namespace tovalin
