#include "cli/about_command.h"

#include <cstdio>

#include "cli/terminal_views.h"
#include "dialogs/about_form.h"
#include "host/posix/posix_shell.h"

namespace tovalin {

int RunAbout() {
  PosixShell shell;
  TerminalAboutView view(nullptr, stdout);
  AboutForm about(view, shell);
  about.Show();
  return 0;
}

}  // namespace tovalin
