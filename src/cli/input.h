// The inputs of the command line: project descriptions and Office documents, told apart by
// their content.
#pragma once

#include <stdexcept>
#include <string>

#include "host/memory/project_loader.h"

namespace tovalin {

// Exit statuses of the command line.
enum ExitStatus : int {
  kExitOk = 0,
  kExitFormFailed = 1,  // a form was not fully saved, or the batch ended early
  kExitUsage = 2,
  kExitInputUnreadable = 3,  // missing or unreadable file, malformed description
  kExitNotADocument = 4,
  kExitEncrypted = 5,
  kExitNoVbaProject = 6,
  kExitDamaged = 7,
};

class InputError : public std::runtime_error {
 public:
  InputError(int exit_status, const std::string& message)
      : std::runtime_error(message), exit_status_(exit_status) {}
  int exit_status() const { return exit_status_; }

 private:
  int exit_status_;
};

// Loads a project description or a document. Throws InputError naming the file and the cause.
LoadedDescription OpenInput(const std::string& path);

}  // namespace tovalin
