// `tovalin export`: exports forms of a project description's active project.
#pragma once

#include <string>
#include <vector>

namespace tovalin {

// Exit statuses of the command line.
enum ExitStatus : int {
  kExitOk = 0,
  kExitFormFailed = 1,  // a form was not fully saved, or the batch ended early
  kExitUsage = 2,
  kExitInputUnreadable = 3,
};

struct ExportOptions {
  std::string project_file;
  std::vector<std::string> forms;  // exported in project order
  bool all = false;
  std::string output_folder;  // empty: the current folder
  bool overwrite = false;
};

int RunExport(const ExportOptions& options);

}  // namespace tovalin
