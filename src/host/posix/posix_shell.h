// The shell on POSIX systems: the documents folder of the XDG user directories, links opened
// with xdg-open, and no folder picker of its own (front ends that can ask give their own).
#pragma once

#include <string>

#include "host/platform_services.h"
#include "host/posix/xdg_dirs.h"

namespace tovalin {

class PosixShell : public Shell {
 public:
  // `link_opener` is the program that opens links, looked up on PATH.
  explicit PosixShell(XdgEnvironment env = XdgEnvironment::FromProcess(),
                      std::string link_opener = "xdg-open");

  // kCsidlPersonal: DocumentsFolder(), nullopt when there is none; other folders: nullopt.
  std::optional<std::string> SpecialFolderLocation(int csidl, WindowHandle owner) override;
  // There is no picker: always nullopt, as a cancelled one.
  std::optional<std::string> PickFolder(WindowHandle owner, const std::string& initial_folder,
                                        const std::string& prompt) override;
  // Starts the link opener on the target when it is on PATH and waits for it; silent when it
  // is missing or fails.
  void OpenLink(WindowHandle owner, const std::string& target) override;

 private:
  XdgEnvironment env_;
  std::string link_opener_;
};

}  // namespace tovalin
