#include "host/office/project_stream.h"

#include <optional>
#include <unordered_map>

namespace tovalin {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<VbaModuleKind> KindOfKey(std::string_view key) {
  if (EqualsIgnoringCase(key, "Document")) return VbaModuleKind::kDocument;
  if (EqualsIgnoringCase(key, "Module")) return VbaModuleKind::kStandard;
  if (EqualsIgnoringCase(key, "Class")) return VbaModuleKind::kClass;
  if (EqualsIgnoringCase(key, "BaseClass")) return VbaModuleKind::kDesigner;
  return std::nullopt;
}

}  // namespace

ProjectStreamInfo ParseProjectStream(std::string_view text) {
  ProjectStreamInfo info;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    if (text.starts_with("\r\n")) {
      text.remove_prefix(2);
    } else if (!text.empty()) {
      text.remove_prefix(1);
    }

    if (line.starts_with("[")) break;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::optional<VbaModuleKind> kind = KindOfKey(Trim(line.substr(0, equals)));
    if (!kind) continue;
    std::string_view name = line.substr(equals + 1);
    // "Document=Sheet1/&H00000000": the type library version follows the name.
    if (*kind == VbaModuleKind::kDocument) name = name.substr(0, name.find('/'));
    name = Trim(name);
    if (name.empty()) continue;
    info.modules.push_back({std::string(name), *kind});
  }
  return info;
}

void ApplyModuleKinds(const ProjectStreamInfo& project, std::vector<VbaModule>& modules) {
  std::unordered_map<std::string, VbaModuleKind> kinds;
  for (const ProjectStreamModule& entry : project.modules) {
    kinds.emplace(FoldCase(entry.name), entry.kind);  // the first line for a name wins
  }
  for (VbaModule& module : modules) {
    const auto found = kinds.find(FoldCase(module.name));
    if (found != kinds.end()) {
      module.kind = found->second;
    } else {
      module.kind = module.procedural ? VbaModuleKind::kStandard : VbaModuleKind::kClass;
    }
  }
}

}  // namespace tovalin
