// The per-user settings store on POSIX systems: one text file, by default
// $XDG_CONFIG_HOME/tovalin/settings.ini (~/.config when the variable is not set).
//
//   [Export Forms to Visual Basic/Options]
//   Target Folder=/home/me/forms/
//   Overwrite without prompt=0
//
// A section header names the application and the section; names match without regard to ASCII
// case. In names, "\", "/", "[", "]", "=" and control characters are written as "\xHH"; in
// values "\" and control characters are. Every save rewrites the file through a temporary file
// and a rename, so a crash leaves either the old file or the new one. A damaged file (a line
// that is none of the above, a bad escape, a file too large) is read as holding no values, with
// one warning; the first save keeps it beside the new one as settings.ini.damaged.
#pragma once

#include <string>

#include "host/platform_services.h"
#include "host/services.h"

namespace tovalin {

class PosixSettingsStore : public SettingsStore {
 public:
  // The store in `file`; an empty path is a store that holds nothing and cannot be written.
  PosixSettingsStore(std::string file, WarningSink& warnings);
  // The user's store, in the config home of the process's environment.
  static std::string UserSettingsFile();

  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& default_value) override;
  // Throws HostError with the runtime's file error numbers when the file cannot be written.
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override;

  const std::string& file() const { return file_; }

 private:
  std::string file_;
  WarningSink& warnings_;
  bool warned_ = false;
};

}  // namespace tovalin
