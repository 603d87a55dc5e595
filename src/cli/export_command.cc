#include "cli/export_command.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/input.h"
#include "common/messages.h"
#include "common/paths.h"
#include "engine/export_class.h"
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

// The forms to export, in project order as the dialog's list holds them. Throws InputError
// when a named form is not in the project.
std::vector<SelectedForm> SelectForms(const LoadedDescription& project,
                                      const ExportOptions& options, const std::string& input) {
  std::vector<SelectedForm> selected;
  std::vector<std::string> listed;
  if (auto active = project.vbe->ActiveVBProject()) {
    for (const auto& component : active->VBComponents()) {
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
      throw InputError(kExitUsage,
                       input + ": the active project has no UserForm named \"" + wanted + "\"");
    }
  }
  return selected;
}

// Exports the selected forms of one input; false when the batch ended early.
bool ExportBatch(const LoadedDescription& project, const std::vector<SelectedForm>& selected,
                 const std::string& folder, const ExportOptions& options, Runtime& runtime,
                 int& status) {
  for (const SelectedForm& form : selected) {
    ExportClass exporter(runtime);
    if (!exporter.ExportForm(project.vbe, form.component, folder, options.overwrite)) {
      return false;
    }
    if (runtime.err.IsSet()) {
      ShowErrorReport(runtime, "Cannot save " + form.name + " form.");
      runtime.err.Clear();
      status = kExitFormFailed;
    } else if (!exporter.written_file().empty()) {
      std::printf("%s -> %s\n", form.name.c_str(), exporter.written_file().c_str());
    }
  }
  return true;
}

}  // namespace

int RunExport(const ExportOptions& options) {
  if (options.code_page && !IsSupportedCodePage(*options.code_page)) {
    std::fprintf(stderr, "tovalin: code page %u is not supported on this system\n",
                 *options.code_page);
    return kExitUsage;
  }
  ConsoleMessageBox message_box(stdin, stdout, stderr, isatty(STDIN_FILENO) != 0);
  PosixFileSystem file_system;
  StderrWarnings warnings;
  const std::string folder = AddBackslash(options.output_folder);

  int status = kExitOk;
  for (const std::string& input : options.inputs) {
    try {
      LoadedDescription project = OpenInput(input);
      for (const std::string& warning : project.warnings) warnings.Warn(warning);
      const uint32_t code_page = options.code_page.value_or(project.code_page);
      if (!IsSupportedCodePage(code_page)) {
        throw InputError(kExitInputUnreadable,
                         input + ": code page " + std::to_string(code_page) +
                             " is not supported on this system (choose one with --codepage)");
      }
      const std::vector<SelectedForm> selected = SelectForms(project, options, input);
      Runtime runtime{ErrorState{}, message_box, file_system, *project.class_registry,
                      warnings,     code_page};
      if (!ExportBatch(project, selected, folder, options, runtime, status)) {
        return kExitFormFailed;
      }
    } catch (const InputError& e) {
      std::fprintf(stderr, "tovalin: %s\n", e.what());
      if (status == kExitOk) status = e.exit_status();
    }
  }
  return status;
}

}  // namespace tovalin
