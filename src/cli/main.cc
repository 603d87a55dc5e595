// tovalin: exports the UserForms of a VBA project as Visual Basic 6 form files.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/about_command.h"
#include "cli/export_command.h"
#include "cli/input.h"
#include "cli/list_command.h"
#include "cli/terminal.h"
#include "common/app_info.h"

namespace {

int Run(int argc, char** argv) {
  CLI::App app{
      "Exports the UserForms of a VBA project as Visual Basic 6 form files (.frm).\n"
      "The export is the dialog of the editor's add-in, driven by arguments: the folder "
      "and the overwrite choice are remembered from one export to the next."};
  app.set_version_flag("--version", tovalin::VersionText());
  app.require_subcommand(1);

  tovalin::ExportOptions options;
  std::string project_file;
  std::string output_folder;
  bool overwrite = false;
  bool no_overwrite = false;
  CLI::App* export_command = app.add_subcommand(
      "export",
      "Export forms of Office documents or project descriptions into a folder. Without --form "
      "or --all, on a terminal, the dialog asks for the forms, the folder and the overwrite "
      "choice.");
  export_command->add_option("inputs", options.inputs,
                             "Office documents, VBA project parts or project descriptions");
  export_command->add_option("--project", project_file, "A project description (JSON)");
  auto* forms =
      export_command->add_option("--form", options.forms, "A form to export (repeatable)");
  auto* all = export_command->add_flag("--all", options.all, "Export every form of the project");
  forms->excludes(all);
  auto* output = export_command->add_option(
      "-o,--output", output_folder,
      "Folder to write into (it must exist); default: the folder of the last export, else the "
      "documents folder");
  auto* overwrite_flag = export_command->add_flag(
      "--overwrite", overwrite, "Replace existing files without asking (remembered)");
  auto* no_overwrite_flag = export_command->add_flag(
      "--no-overwrite", no_overwrite, "Ask before replacing an existing file (remembered)");
  overwrite_flag->excludes(no_overwrite_flag);
  export_command->add_option("--codepage", options.code_page,
                             "Code page of the output files (default: the project's)");
  export_command->add_option("--registered-class", options.registered_classes,
                             "A class the control class mapping takes as registered, e.g. "
                             "MSComctlLib.ProgCtrl (repeatable)");
  export_command->add_flag("-q,--quiet", options.quiet, "No line per form written");

  std::vector<std::string> list_inputs;
  bool list_json = false;
  CLI::App* list_command =
      app.add_subcommand("list", "List the project and components of each input.");
  list_command->add_option("inputs", list_inputs, "Office documents or project descriptions")
      ->required();
  list_command->add_flag("--json", list_json, "Print one JSON array");

  CLI::App* about_command = app.add_subcommand("about", "Print the About box's texts.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : tovalin::kExitUsage;
  }
  if (list_command->parsed()) return tovalin::RunList(list_inputs, list_json);
  if (about_command->parsed()) return tovalin::RunAbout();
  if (!project_file.empty()) options.inputs.insert(options.inputs.begin(), project_file);
  if (options.inputs.empty()) {
    std::fprintf(stderr, "tovalin: name an input: a document or a project description\n");
    return tovalin::kExitUsage;
  }
  // The folder is remembered for later runs, which may start elsewhere: it is kept absolute.
  if (output->count() > 0) options.output_folder = tovalin::AbsoluteFolder(output_folder);
  if (overwrite_flag->count() > 0) options.overwrite = true;
  if (no_overwrite_flag->count() > 0) options.overwrite = false;
  if (options.forms.empty() && !options.all) {
    if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) {
      std::fprintf(stderr,
                   "tovalin: name the forms to export with --form NAME, or use --all (the "
                   "dialog asks only on a terminal)\n");
      return tovalin::kExitUsage;
    }
    options.interactive = true;
  }
  return tovalin::RunExport(options);
}

}  // namespace

int main(int argc, char** argv) {
  const int status = Run(argc, argv);
  // What was printed must have reached its reader: a full disk or a closed pipe is a failure.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "tovalin: cannot write the standard output: %s\n", std::strerror(errno));
    return status == tovalin::kExitOk ? tovalin::kExitFormFailed : status;
  }
  return status;
}
