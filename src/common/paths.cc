#include "common/paths.h"

namespace tovalin {

std::string AddBackslash(const std::string& path) {
  if (path.empty() || path.back() == kFolderSeparator) return path;
  return path + kFolderSeparator;
}

}  // namespace tovalin
