// `tovalin export`: exports forms of the active project of each input, one batch per input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovalin {

struct ExportOptions {
  std::vector<std::string> inputs;  // descriptions or documents
  std::vector<std::string> forms;   // exported in project order
  bool all = false;
  std::string output_folder;  // empty: the current folder
  bool overwrite = false;
  std::optional<uint32_t> code_page;  // replaces the project's code page for the output
};

int RunExport(const ExportOptions& options);

}  // namespace tovalin
