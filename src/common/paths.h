// Folder path helpers.
#pragma once

#include <string>

namespace tovalin {

// The separator between a folder and a name on this platform.
#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// The path ending in the folder separator, so that a file name can be appended; empty stays
// empty.
std::string AddBackslash(const std::string& path);

}  // namespace tovalin
