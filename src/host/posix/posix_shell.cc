#include "host/posix/posix_shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace tovalin {

PosixShell::PosixShell(XdgEnvironment env, std::string link_opener)
    : env_(std::move(env)), link_opener_(std::move(link_opener)) {}

std::optional<std::string> PosixShell::SpecialFolderLocation(int csidl, WindowHandle /*owner*/) {
  if (csidl != kCsidlPersonal) return std::nullopt;
  std::string documents = DocumentsFolder(env_);
  if (documents.empty()) return std::nullopt;
  return documents;
}

std::optional<std::string> PosixShell::PickFolder(WindowHandle /*owner*/,
                                                  const std::string& /*initial_folder*/,
                                                  const std::string& /*prompt*/) {
  return std::nullopt;
}

void PosixShell::OpenLink(WindowHandle /*owner*/, const std::string& target) {
  // The opener's own messages would mix with ours: its output goes nowhere.
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return;
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = link_opener_;
  std::string argument = target;
  std::vector<char*> argv = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return;  // no opener on PATH: nothing to say
  // Without a desktop the opener runs the browser in the foreground: the About box must not
  // wait for it. A short wait reaps an opener that hands over at once; a slower one is left to
  // finish on its own (it is reaped when this process ends).
  for (int tries = 0; tries < 20; ++tries) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) return;
    ::usleep(10000);
  }
}

}  // namespace tovalin
