#include "common/paths.h"

namespace tovalin {

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == kFolderSeparator) return path;
  return path + kFolderSeparator;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

}  // namespace tovalin
