#include "host/posix/posix_settings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "host/host_error.h"
#include "host/posix/settings_text.h"
#include "host/posix/xdg_dirs.h"

namespace tovalin {
namespace {

// The runtime's file error for an errno value of a settings write.
HostError SettingsError(const std::string& what, int error) {
  int32_t number = kErrPathFileAccess;
  if (error == ENOENT || error == ENOTDIR) number = kErrPathNotFound;
  if (error == EACCES || error == EPERM) number = kErrPermissionDenied;
  if (error == ENOSPC || error == EDQUOT) number = kErrDiskFull;
  return HostError(number, what + ": " + std::strerror(error));
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the folder and the missing folders above it, private to the user.
void MakeFolders(const std::string& folder) {
  struct stat st;
  if (folder.empty() || ::stat(folder.c_str(), &st) == 0) return;
  MakeFolders(FolderOf(folder));  // depth bounded by the path's length
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    throw SettingsError("cannot create " + folder, errno);
  }
}

enum class ReadStatus { kRead, kMissing, kUnreadable };

// Reads at most kMaxSettingsBytes + 1 bytes, so that a larger file shows as too large.
ReadStatus ReadFile(const std::string& path, std::string& text, int& error) {
  text.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    error = errno;
    return errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kUnreadable;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = EISDIR;
    ::close(fd);
    return ReadStatus::kUnreadable;
  }
  char buffer[8192];
  while (text.size() <= kMaxSettingsBytes) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      ::close(fd);
      return ReadStatus::kUnreadable;
    }
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return ReadStatus::kRead;
}

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) throw SettingsError("cannot write " + path, written < 0 ? errno : EIO);
    done += static_cast<size_t>(written);
  }
}

// The file a save replaces: the target of a symbolic link, so that a linked settings file
// stays linked.
std::string ResolvedTarget(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  return path;
}

// Holds an exclusive lock on "<file>.lock" while a save reads, changes and replaces the file,
// so that two saves at once do not lose each other's values.
class SaveLock {
 public:
  explicit SaveLock(const std::string& file) {
    fd_ = ::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd_ < 0) return;  // a read-only folder fails at the write, with a clearer message
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~SaveLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

PosixSettingsStore::PosixSettingsStore(std::string file, WarningSink& warnings)
    : file_(std::move(file)), warnings_(warnings) {}

std::string PosixSettingsStore::UserSettingsFile() {
  const std::string config = ConfigHome(XdgEnvironment::FromProcess());
  return config.empty() ? std::string() : config + "/tovalin/settings.ini";
}

std::string PosixSettingsStore::GetSetting(const std::string& app, const std::string& section,
                                           const std::string& key,
                                           const std::string& default_value) {
  if (file_.empty()) return default_value;
  std::string text;
  int error = 0;
  const ReadStatus status = ReadFile(file_, text, error);
  if (status == ReadStatus::kMissing) return default_value;
  std::optional<std::string> problem;
  SettingsText::ParseResult parsed;
  if (status == ReadStatus::kUnreadable) {
    problem = std::string("cannot read: ") + std::strerror(error);
  } else {
    parsed = SettingsText::Parse(text);
    problem = parsed.error;
  }
  if (problem) {
    if (!warned_) {
      warnings_.Warn(file_ + ": " + *problem + "; the saved options are not used");
      warned_ = true;
    }
    return default_value;
  }
  return parsed.settings.Find(app, section, key).value_or(default_value);
}

void PosixSettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                     const std::string& key, const std::string& value) {
  if (file_.empty()) {
    throw HostError(kErrPathNotFound, "no folder for the settings: HOME is not set");
  }
  const std::string target = ResolvedTarget(file_);
  const std::string folder = FolderOf(target);
  MakeFolders(folder);
  const SaveLock lock(target);

  std::string text;
  int error = 0;
  SettingsText settings;
  switch (ReadFile(target, text, error)) {
    case ReadStatus::kMissing:
      break;
    case ReadStatus::kUnreadable:
      throw SettingsError("cannot read " + target, error);
    case ReadStatus::kRead: {
      SettingsText::ParseResult parsed = SettingsText::Parse(text);
      if (parsed.error) {
        // Nothing the user wrote is thrown away: the damaged file is kept beside the new one.
        const std::string kept = target + ".damaged";
        if (::rename(target.c_str(), kept.c_str()) != 0) {
          throw SettingsError("cannot keep the damaged " + target, errno);
        }
        warnings_.Warn(target + ": " + *parsed.error + "; kept as " + kept +
                       ", a new settings file is written");
        warned_ = true;
      } else {
        settings = std::move(parsed.settings);
      }
      break;
    }
  }
  settings.Set(app, section, key, value);

  std::string temporary = target + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw SettingsError("cannot write in " + folder, errno);
  bool closed = false;
  try {
    WriteAll(fd, settings.Serialize(), temporary);
    if (::fsync(fd) != 0) throw SettingsError("cannot write " + temporary, errno);
    closed = true;
    if (::close(fd) != 0) throw SettingsError("cannot write " + temporary, errno);
  } catch (...) {
    if (!closed) ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int rename_error = errno;
    ::unlink(temporary.c_str());
    throw SettingsError("cannot replace " + target, rename_error);
  }
  // The rename itself reaches the disk with the folder.
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace tovalin
