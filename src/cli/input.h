// The inputs of the command line: project descriptions and Office documents, told apart by
// their content.
#pragma once

#include <cstdint>
#include <optional>
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

// Loads a project description, a document, a form exported by the VBA editor (.frm with its
// .frx) or a folder of such forms. `text_code_page` is the code page of exported forms' texts
// (1252 when not given). Throws InputError naming the file and the cause.
LoadedDescription OpenInput(const std::string& path,
                            std::optional<uint32_t> text_code_page = std::nullopt);

}  // namespace tovalin
