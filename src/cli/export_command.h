// `tovalin export`: the export dialog driven by arguments, one dialog and one batch per input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovalin {

struct ExportOptions {
  std::vector<std::string> inputs;  // descriptions or documents
  std::vector<std::string> forms;   // exported in list order
  bool all = false;
  // Neither forms nor --all: the dialog runs on the terminal.
  bool interactive = false;
  // The folder text; nullopt keeps what the dialog restored.
  std::optional<std::string> output_folder;
  // The check box; nullopt keeps what the dialog restored.
  std::optional<bool> overwrite;
  std::optional<uint32_t> code_page;  // replaces the project's code page for the output
  // Class registry keys that exist besides those the input names.
  std::vector<std::string> registered_classes;
  // No line per form written.
  bool quiet = false;
};

int RunExport(const ExportOptions& options);

}  // namespace tovalin
