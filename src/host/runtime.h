// The runtime context of one export session: the current error and the platform services. It is
// passed to everything that would reach the runtime's globals in the editor.
#pragma once

#include <cstdint>

#include "host/error_state.h"
#include "host/services.h"

namespace tovalin {

struct Runtime {
  ErrorState err;
  MessageBox& message_box;
  FileSystem& file_system;
  ClassRegistry& class_registry;
  WarningSink& warnings;
  // The code page in which output files are written.
  uint32_t output_code_page = 1252;
};

}  // namespace tovalin
