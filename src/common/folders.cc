#include "common/folders.h"

namespace tovalin {

std::string GetSpecialFolderPath(Shell& shell, int csidl, WindowHandle owner) {
  return shell.SpecialFolderLocation(csidl, owner).value_or(std::string());
}

std::string BrowseForFolder(Shell& shell, WindowHandle owner, const std::string& initial_folder,
                            const std::string& prompt) {
  std::optional<std::string> picked = shell.PickFolder(owner, initial_folder, prompt);
  // A picker may hand back an item without a path as an empty text: that is no choice either.
  if (!picked || picked->empty()) return initial_folder;
  return *picked;
}

}  // namespace tovalin
