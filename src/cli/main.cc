// tovalin: exports the UserForms of a VBA project as Visual Basic 6 form files.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/export_command.h"
#include "cli/input.h"
#include "cli/list_command.h"
#include "common/app_info.h"

int main(int argc, char** argv) {
  CLI::App app{"Exports the UserForms of a VBA project as Visual Basic 6 form files (.frm)."};
  app.set_version_flag("--version", tovalin::VersionText());
  app.require_subcommand(1);

  tovalin::ExportOptions options;
  std::string project_file;
  CLI::App* export_command = app.add_subcommand(
      "export", "Export forms of Office documents or project descriptions into a folder.");
  export_command->add_option("inputs", options.inputs,
                             "Office documents, VBA project parts or project descriptions");
  export_command->add_option("--project", project_file, "A project description (JSON)");
  auto* forms =
      export_command->add_option("--form", options.forms, "A form to export (repeatable)");
  auto* all = export_command->add_flag("--all", options.all, "Export every form of the project");
  forms->excludes(all);
  export_command->add_option("-o,--output", options.output_folder,
                             "Folder to write into (it must exist); default: the current folder");
  export_command->add_flag("--overwrite", options.overwrite,
                           "Replace existing files without asking");
  export_command->add_option("--codepage", options.code_page,
                             "Code page of the output files (default: the project's)");

  std::vector<std::string> list_inputs;
  bool list_json = false;
  CLI::App* list_command =
      app.add_subcommand("list", "List the project and components of each input.");
  list_command->add_option("inputs", list_inputs, "Office documents or project descriptions")
      ->required();
  list_command->add_flag("--json", list_json, "Print one JSON array");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : tovalin::kExitUsage;
  }
  if (list_command->parsed()) return tovalin::RunList(list_inputs, list_json);
  if (!project_file.empty()) options.inputs.insert(options.inputs.begin(), project_file);
  if (options.inputs.empty()) {
    std::fprintf(stderr, "tovalin: name an input: a document or a project description\n");
    return tovalin::kExitUsage;
  }
  if (options.forms.empty() && !options.all) {
    std::fprintf(stderr, "tovalin: name the forms to export with --form NAME, or use --all\n");
    return tovalin::kExitUsage;
  }
  return tovalin::RunExport(options);
}
