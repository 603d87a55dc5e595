// The Windows shell: special folders (SHGetSpecialFolderLocation and the item list's path), the
// folder picker (SHBrowseForFolderW opening on the initial folder) and links
// (ShellExecuteW "open"). Every item list the shell returns is freed exactly once, by
// PathFromIdList. The picker needs COM initialised on the calling thread, as the editor's thread
// has it.
#pragma once

#include <optional>
#include <string>

#include "host/platform_services.h"

namespace tovalin::win32 {

class Win32Shell : public Shell {
 public:
  // nullopt when the shell has no such folder, or it has no file-system path.
  std::optional<std::string> SpecialFolderLocation(int csidl, WindowHandle owner) override;
  // Only file-system folders can be accepted (BIF_RETURNONLYFSDIRS).
  std::optional<std::string> PickFolder(WindowHandle owner, const std::string& initial_folder,
                                        const std::string& prompt) override;
  void OpenLink(WindowHandle owner, const std::string& target) override;
};

}  // namespace tovalin::win32
