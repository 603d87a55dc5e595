#include "cli/export_command.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "common/messages.h"
#include "common/paths.h"
#include "engine/export_class.h"
#include "host/memory/project_loader.h"
#include "host/posix/console_message_box.h"
#include "host/posix/posix_file_system.h"
#include "output/code_page_encoder.h"

namespace tovalin {
namespace {

class StderrWarnings : public WarningSink {
 public:
  void Warn(const std::string& text) override {
    std::fprintf(stderr, "tovalin: warning: %s\n", text.c_str());
  }
};

struct SelectedForm {
  std::string name;
  std::shared_ptr<VbComponent> component;
};

}  // namespace

int RunExport(const ExportOptions& options) {
  LoadedDescription description;
  try {
    description = LoadProjectDescriptionFile(options.project_file);
  } catch (const DescriptionError& e) {
    std::fprintf(stderr, "tovalin: %s\n", e.what());
    return kExitInputUnreadable;
  }
  if (!IsSupportedCodePage(description.code_page)) {
    std::fprintf(stderr, "tovalin: %s: code page %u is not supported on this system\n",
                 options.project_file.c_str(), description.code_page);
    return kExitInputUnreadable;
  }

  // The forms to export, in project order, as the dialog's list holds them.
  std::vector<SelectedForm> selected;
  std::vector<std::string> listed;
  if (auto project = description.vbe->ActiveVBProject()) {
    for (const auto& component : project->VBComponents()) {
      if (component->Type() != kUserFormComponent) continue;
      const std::string name = component->Name();
      listed.push_back(name);
      if (options.all || std::count(options.forms.begin(), options.forms.end(), name) > 0) {
        selected.push_back({name, component});
      }
    }
  }
  for (const std::string& wanted : options.forms) {
    if (std::find(listed.begin(), listed.end(), wanted) == listed.end()) {
      std::fprintf(stderr, "tovalin: %s: the active project has no UserForm named \"%s\"\n",
                   options.project_file.c_str(), wanted.c_str());
      return kExitUsage;
    }
  }

  ConsoleMessageBox message_box(stdin, stdout, stderr, isatty(STDIN_FILENO) != 0);
  PosixFileSystem file_system;
  StderrWarnings warnings;
  Runtime runtime{ErrorState{}, message_box,          file_system, *description.class_registry,
                  warnings,     description.code_page};

  const std::string folder = AddBackslash(options.output_folder);
  int status = kExitOk;
  for (const SelectedForm& form : selected) {
    ExportClass exporter(runtime);
    const bool go_on =
        exporter.ExportForm(description.vbe, form.component, folder, options.overwrite);
    if (!go_on) return kExitFormFailed;
    if (runtime.err.IsSet()) {
      ShowErrorReport(runtime, "Cannot save " + form.name + " form.");
      runtime.err.Clear();
      status = kExitFormFailed;
    } else if (!exporter.written_file().empty()) {
      std::printf("%s -> %s\n", form.name.c_str(), exporter.written_file().c_str());
    }
  }
  return status;
}

}  // namespace tovalin
