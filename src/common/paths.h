// Folder path helpers.
#pragma once

#include <string>
#include <string_view>

namespace tovalin {

// The separator between a folder and a name on this platform.
#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// The path ending in the folder separator, so that a file name can be appended; empty stays
// empty. Only the platform's separator counts: on POSIX a trailing "\" is part of the name and
// gets a "/" after it, so files always land inside the folder.
std::string AddBackslash(const std::string& path);

// True when `name` appended to a folder names a file directly inside that folder: not empty, not
// "." or "..", and without separators ("/" or "\" on any platform) or control characters.
bool IsPlainFileName(std::string_view name);

}  // namespace tovalin
