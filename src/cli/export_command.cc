#include "cli/export_command.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "cli/input.h"
#include "cli/registered_classes.h"
#include "cli/terminal.h"
#include "cli/terminal_dialog.h"
#include "cli/terminal_views.h"
#include "dialogs/choose_form.h"
#include "dialogs/memory_views.h"
#include "host/host_error.h"
#include "host/posix/console_message_box.h"
#include "host/posix/posix_file_system.h"
#include "host/posix/posix_settings_store.h"
#include "host/posix/posix_shell.h"
#include "output/code_page_encoder.h"

namespace tovalin {
namespace {

class StderrWarnings : public WarningSink {
 public:
  void Warn(const std::string& text) override {
    std::fprintf(stderr, "tovalin: warning: %s\n", text.c_str());
  }
};

// Prints a line per form written, and warns when a file written from an earlier input of this
// run is replaced (the user allowed it, but it is rarely what they meant).
class WrittenForms : public BatchListener {
 public:
  WrittenForms(WarningSink& warnings, bool quiet) : warnings_(warnings), quiet_(quiet) {}
  void set_input(const std::string& input) { input_ = input; }

  void FormWritten(const std::string& form, const std::string& file) override {
    const auto [earlier, first] = written_.emplace(file, input_);
    if (!first && earlier->second != input_) {
      warnings_.Warn(file + " from " + input_ + " replaces the one written from " +
                     earlier->second);
      earlier->second = input_;
    }
    if (!quiet_) {
      std::printf("%s -> %s\n", form.c_str(), file.c_str());
      std::fflush(stdout);
    }
  }

 private:
  WarningSink& warnings_;
  bool quiet_;
  std::string input_;
  std::map<std::string, std::string> written_;
};

// Sets the dialog's view from the arguments: the selection, the folder text, the check box.
// Throws InputError when a named form is not in the list.
void ApplyArguments(ChooseForm& dialog, MemoryChooseFormView& view, const ExportOptions& options,
                    const std::string& input) {
  if (options.all) {
    dialog.SelectAllButton_Click();
  } else {
    for (const std::string& wanted : options.forms) {
      bool listed = false;
      for (int i = 0; i < view.ListCount() && !listed; ++i) listed = view.ItemText(i) == wanted;
      if (!listed) {
        throw InputError(kExitUsage,
                         input + ": the active project has no UserForm named \"" + wanted + "\"");
      }
    }
    for (int i = 0; i < view.ListCount(); ++i) {
      const std::string name = view.ItemText(i);
      view.SetSelected(i, std::count(options.forms.begin(), options.forms.end(), name) > 0);
    }
  }
  if (options.output_folder) view.SetFolderText(*options.output_folder);
  if (options.overwrite) view.SetOverwriteState(*options.overwrite ? kChecked : kUnchecked);
}

struct Services {
  MessageBox& message_box;
  FileSystem& file_system;
  WarningSink& warnings;
  SettingsStore& settings;
  Shell& shell;
  Terminal* terminal;  // null without a terminal
  WrittenForms& written;
};

enum class BatchEnd { kDone, kFormFailed, kStopped };

// Opens the input, runs its dialog and its batch.
BatchEnd RunInput(const std::string& input, const ExportOptions& options, Services& services) {
  LoadedDescription project = OpenInput(input, options.code_page);
  for (const std::string& warning : project.warnings) services.warnings.Warn(warning);
  const uint32_t code_page = options.code_page.value_or(project.code_page);
  if (!IsSupportedCodePage(code_page)) {
    throw InputError(kExitInputUnreadable,
                     input + ": code page " + std::to_string(code_page) +
                         " is not supported on this system (choose one with --codepage)");
  }
  ExtendedClassRegistry registry(project.class_registry, options.registered_classes);
  Runtime runtime{ErrorState{}, services.message_box, services.file_system,
                  registry,     services.warnings,    code_page};
  MemoryChooseFormView view([&services]() -> std::unique_ptr<AboutFormView> {
    return std::make_unique<TerminalAboutView>(services.terminal, stdout);
  });
  ChooseForm dialog(view, runtime, services.settings, services.shell);
  services.written.set_input(input);
  dialog.set_listener(&services.written);
  dialog.Initialize(project.vbe);

  if (!options.interactive) ApplyArguments(dialog, view, options, input);
  if (view.ListCount() == 0) {
    // OK stays disabled: there is nothing to press it for, and nothing is saved.
    services.warnings.Warn(input + ": the active project has no UserForms to export");
    return BatchEnd::kDone;
  }
  if (options.interactive) {
    if (options.output_folder) view.SetFolderText(*options.output_folder);
    if (options.overwrite) view.SetOverwriteState(*options.overwrite ? kChecked : kUnchecked);
    TerminalDialog terminal_dialog(dialog, view, *services.terminal);
    if (!terminal_dialog.Run(input)) {
      std::fprintf(stderr, "tovalin: %s: cancelled, nothing exported\n", input.c_str());
      return BatchEnd::kFormFailed;
    }
  } else {
    dialog.OKButton_Click();
  }
  const BatchOutcome& outcome = dialog.outcome();
  if (outcome.ended_early) return BatchEnd::kStopped;
  return outcome.failed > 0 ? BatchEnd::kFormFailed : BatchEnd::kDone;
}

}  // namespace

int RunExport(const ExportOptions& options) {
  if (options.code_page && !IsSupportedCodePage(*options.code_page)) {
    std::fprintf(stderr, "tovalin: code page %u is not supported on this system\n",
                 *options.code_page);
    return kExitUsage;
  }
  const bool on_terminal = isatty(STDIN_FILENO) != 0 && isatty(STDOUT_FILENO) != 0;
  Terminal terminal(stdin, stdout);
  ConsoleMessageBox message_box(stdin, stdout, stderr, on_terminal);
  PosixFileSystem file_system;
  StderrWarnings warnings;
  PosixSettingsStore settings(PosixSettingsStore::UserSettingsFile(), warnings);
  PosixShell platform_shell;
  TerminalShell terminal_shell(platform_shell, terminal);
  WrittenForms written(warnings, options.quiet);
  Services services{message_box,
                    file_system,
                    warnings,
                    settings,
                    on_terminal ? static_cast<Shell&>(terminal_shell) : platform_shell,
                    on_terminal ? &terminal : nullptr,
                    written};

  int status = kExitOk;
  const auto fail = [&status](int failure) {
    if (status == kExitOk) status = failure;
  };
  for (const std::string& input : options.inputs) {
    try {
      switch (RunInput(input, options, services)) {
        case BatchEnd::kDone:
          break;
        case BatchEnd::kFormFailed:
          fail(kExitFormFailed);
          break;
        case BatchEnd::kStopped: {
          // Cancel at a question, or a file that cannot be created: the run ends here.
          fail(kExitFormFailed);
          const size_t left = static_cast<size_t>(
              options.inputs.end() -
              std::find(options.inputs.begin(), options.inputs.end(), input) - 1);
          std::fprintf(
              stderr, "tovalin: %s: the export ended early%s\n", input.c_str(),
              left == 0 ? "" : (", " + std::to_string(left) + " input(s) not read").c_str());
          return status;
        }
      }
    } catch (const InputError& e) {
      std::fprintf(stderr, "tovalin: %s\n", e.what());
      fail(e.exit_status());
    } catch (const HostError& e) {
      std::fprintf(stderr, "tovalin: %s: Error %d: %s\n", input.c_str(), e.number(),
                   e.description().c_str());
      fail(kExitFormFailed);
    }
  }
  return status;
}

}  // namespace tovalin
