// tovalin: exports the UserForms of a VBA project as Visual Basic 6 form files.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/export_command.h"
#include "common/app_info.h"

int main(int argc, char** argv) {
  CLI::App app{"Exports the UserForms of a VBA project as Visual Basic 6 form files (.frm)."};
  app.set_version_flag("--version", tovalin::VersionText());
  app.require_subcommand(1);

  tovalin::ExportOptions options;
  CLI::App* export_command = app.add_subcommand("export", "Export forms into a folder.");
  export_command->add_option("--project", options.project_file, "Project description (JSON)")
      ->required();
  auto* forms =
      export_command->add_option("--form", options.forms, "A form to export (repeatable)");
  auto* all = export_command->add_flag("--all", options.all, "Export every form of the project");
  forms->excludes(all);
  export_command->add_option("-o,--output", options.output_folder,
                             "Folder to write into (it must exist); default: the current folder");
  export_command->add_flag("--overwrite", options.overwrite,
                           "Replace existing files without asking");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : tovalin::kExitUsage;
  }
  if (export_command->parsed()) {
    if (options.forms.empty() && !options.all) {
      std::fprintf(stderr, "tovalin: name the forms to export with --form NAME, or use --all\n");
      return tovalin::kExitUsage;
    }
    return tovalin::RunExport(options);
  }
  return tovalin::kExitUsage;
}
