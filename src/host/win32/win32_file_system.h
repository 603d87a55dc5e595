// The file system on Windows, through the W functions so that any path converts. OpenExclusive
// opens with sharing denied, so another program's open file fails with 70 and ours cannot be
// opened by others while it is written. As on POSIX, the path must end in a plain file: a
// symbolic link there is replaced by a new file rather than followed, a file with other names
// (a hard link) is replaced so that the other names keep their content, and a device
// (CON, NUL, a pipe) or a folder fails with 75.
#pragma once

#include "host/services.h"

namespace tovalin::win32 {

class Win32FileSystem : public FileSystem {
 public:
  // Both false for a path holding a NUL, which the system would read cut short.
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  // Errors: 76 Path not found, 52 Bad file name (a name the system rejects or a NUL), 70
  // Permission denied (sharing violation, access denied, write-protected), 61 Disk full, 67
  // Too many files, 75 Path/File access error for everything else.
  std::unique_ptr<OutputStream> OpenExclusive(const std::string& path) override;
};

}  // namespace tovalin::win32
