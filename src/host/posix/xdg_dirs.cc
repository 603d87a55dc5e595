#include "host/posix/xdg_dirs.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tovalin {
namespace {

// user-dirs.dirs is a few lines; anything much longer is not one.
constexpr std::streamsize kMaxUserDirsBytes = 64 * 1024;

bool IsDirectory(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The text of a double-quoted shell word starting at `at` (the opening quote), with the
// backslash escapes of double quotes; false when it is not closed.
bool Unquote(const std::string& text, size_t at, std::string& value) {
  value.clear();
  for (size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') return true;
    if (c == '\\' && i + 1 < text.size()) {
      const char next = text[i + 1];
      if (next == '"' || next == '\\' || next == '$' || next == '`') {
        value += next;
        ++i;
        continue;
      }
    }
    value += c;
  }
  return false;
}

}  // namespace

XdgEnvironment XdgEnvironment::FromProcess() {
  XdgEnvironment env;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    env.home = home;
  } else if (const passwd* entry = ::getpwuid(::getuid());
             entry != nullptr && entry->pw_dir != nullptr) {
    env.home = entry->pw_dir;
  }
  if (const char* config = std::getenv("XDG_CONFIG_HOME")) env.xdg_config_home = config;
  return env;
}

std::string ConfigHome(const XdgEnvironment& env) {
  // The convention ignores a relative $XDG_CONFIG_HOME.
  if (!env.xdg_config_home.empty() && env.xdg_config_home.front() == '/') {
    return WithoutTrailingSlashes(env.xdg_config_home);
  }
  if (env.home.empty()) return {};
  return WithoutTrailingSlashes(env.home) + "/.config";
}

std::string UserDirFromText(const std::string& text, const std::string& name,
                            const std::string& home) {
  const std::string variable = "XDG_" + name + "_DIR=";
  std::string result;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, variable.size(), variable) != 0) continue;
    start += variable.size();
    std::string value;
    if (start >= line.size() || line[start] != '"' || !Unquote(line, start, value)) {
      result.clear();  // the last assignment counts, as when the shell reads the file
      continue;
    }
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
      value = home.empty() ? std::string() : home + value.substr(5);
    } else if (value.empty() || value.front() != '/') {
      value.clear();
    }
    result = value;
  }
  return result;
}

std::string DocumentsFolder(const XdgEnvironment& env) {
  const std::string config = ConfigHome(env);
  if (!config.empty()) {
    const std::string user_dirs = config + "/user-dirs.dirs";
    std::string text;
    std::error_code error;
    // A FIFO there would block the open: only a regular file is read.
    if (std::filesystem::is_regular_file(user_dirs, error)) {
      std::ifstream in(user_dirs, std::ios::binary);
      text.assign(static_cast<size_t>(kMaxUserDirsBytes), '\0');
      in.read(text.data(), kMaxUserDirsBytes);
      text.resize(static_cast<size_t>(in.gcount()));
    }
    const std::string documents = WithoutTrailingSlashes(
        UserDirFromText(text, "DOCUMENTS", WithoutTrailingSlashes(env.home)));
    // A user directory set to the home folder itself is how the convention disables it.
    if (IsDirectory(documents) && documents != WithoutTrailingSlashes(env.home)) return documents;
  }
  if (env.home.empty()) return {};
  const std::string fallback = WithoutTrailingSlashes(env.home) + "/Documents";
  return IsDirectory(fallback) ? fallback : std::string();
}

}  // namespace tovalin
