// FileClass: the line writer over one output file. CreateFile replaces the file by an empty one
// and opens it exclusively; WriteLine appends the line and CR LF in the output code page;
// CloseFile closes it. Releasing the object closes an open file.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "host/host_error.h"
#include "host/runtime.h"

namespace tovalin {

class CodePageEncoder;

class FileClass {
 public:
  // No form file comes near this size; only a host whose reads keep failing in a loop could
  // make one grow without end.
  static constexpr size_t kMaxFileBytes = size_t{64} << 20;

  explicit FileClass(Runtime& runtime);
  ~FileClass();
  FileClass(const FileClass&) = delete;
  FileClass& operator=(const FileClass&) = delete;

  // True when the file is open. On failure the open's error is the current error.
  bool CreateFile(const std::string& FileName);
  // Throws HostError when the write fails (or no file is open). The first failure also sticks
  // to the object: see write_failure().
  void WriteLine(const std::string& Line);
  // Closes an open file; does nothing otherwise. Throws HostError when the close fails.
  void CloseFile();

  // The first failure of WriteLine or CloseFile since CreateFile, if any; a caller that went on
  // after a failed write learns here that the file is incomplete.
  const std::optional<HostError>& write_failure() const { return write_failure_; }
  // Characters written as "?" because the output code page cannot hold them.
  size_t substituted_characters() const { return substituted_characters_; }
  // True once a line was refused because the file would exceed kMaxFileBytes.
  bool limit_reached() const { return limit_reached_; }

 private:
  Runtime& runtime_;
  std::unique_ptr<CodePageEncoder> encoder_;
  std::unique_ptr<OutputStream> stream_;
  std::optional<HostError> write_failure_;
  size_t substituted_characters_ = 0;
  size_t bytes_written_ = 0;
  bool limit_reached_ = false;
};

}  // namespace tovalin
