// The per-user folders of the XDG base directory and user directory conventions: where settings
// live and which folder is the user's documents folder.
#pragma once

#include <string>

namespace tovalin {

struct XdgEnvironment {
  std::string home;             // $HOME, else the password database's home; may be empty
  std::string xdg_config_home;  // $XDG_CONFIG_HOME as set; may be empty or relative

  static XdgEnvironment FromProcess();
};

// $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; empty without a home.
std::string ConfigHome(const XdgEnvironment& env);

// The user's documents folder: XDG_DOCUMENTS_DIR of user-dirs.dirs in the config home when it
// names an existing folder other than the home itself, else $HOME/Documents when that exists,
// else empty.
std::string DocumentsFolder(const XdgEnvironment& env);

// The value of `XDG_<name>_DIR` in the text of a user-dirs.dirs file, with "$HOME" expanded;
// empty when the file does not set it, sets it to a relative path, or quotes it wrongly.
std::string UserDirFromText(const std::string& text, const std::string& name,
                            const std::string& home);

}  // namespace tovalin
