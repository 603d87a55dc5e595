// The file system on POSIX systems. OpenExclusive emulates the editor's exclusive open with an
// advisory lock: a file that another process holds locked fails to open with error 70.
#pragma once

#include "host/services.h"

namespace tovalin {

class PosixFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  std::unique_ptr<OutputStream> OpenExclusive(const std::string& path) override;
};

}  // namespace tovalin
