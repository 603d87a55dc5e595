// Folder browsing: the user's special folders and the folder picker, behind the platform's Shell.
#pragma once

#include <string>

#include "host/platform_services.h"

namespace tovalin {

// The path of the special folder `csidl` (kCsidlPersonal: the documents folder), or empty when it
// cannot be found.
std::string GetSpecialFolderPath(Shell& shell, int csidl, WindowHandle owner);

// The folder the user picks in a modal picker that opens on `initial_folder`; `initial_folder`
// itself, unchanged, when the user cancels or picks an item without a file-system path.
std::string BrowseForFolder(Shell& shell, WindowHandle owner, const std::string& initial_folder,
                            const std::string& prompt);

}  // namespace tovalin
