#include "host/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/host_error.h"

namespace tovalin {
namespace {

// The runtime's file error for an errno value.
HostError FileError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return HostError(kErrPathNotFound);
    case EACCES:
    case EPERM:
    case ETXTBSY:
      return HostError(kErrPermissionDenied);
    case EROFS:
    case EISDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case ENXIO:   // a FIFO without a reader, a device that is not there
    case EEXIST:  // a dangling symbolic link, which an exclusive create does not follow
      return HostError(kErrPathFileAccess);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return HostError(kErrDiskFull);
    case EMFILE:
    case ENFILE:
      return HostError(kErrTooManyFiles);
    default:
      return HostError(kErrDeviceIo);
  }
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// An open output file, locked for as long as it is open.
class PosixOutputStream : public OutputStream {
 public:
  explicit PosixOutputStream(int fd) : fd_(fd) {}
  ~PosixOutputStream() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixOutputStream(const PosixOutputStream&) = delete;
  PosixOutputStream& operator=(const PosixOutputStream&) = delete;

  void Write(std::string_view bytes) override {
    if (fd_ < 0) throw HostError(kErrBadFileName);
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        throw FileError(errno);
      }
      // A regular file takes at least one byte or reports why not; guard against spinning.
      if (written == 0) throw HostError(kErrDeviceIo);
      bytes.remove_prefix(static_cast<size_t>(written));
    }
  }

  void Close() override {
    if (fd_ < 0) return;
    const int fd = fd_;
    fd_ = -1;
    // On EINTR the descriptor is already released; only real errors (a deferred write error of a
    // network file system) are reported.
    if (::close(fd) != 0 && errno != EINTR) throw FileError(errno);
  }

 private:
  int fd_;
};

}  // namespace

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::unique_ptr<OutputStream> PosixFileSystem::OpenExclusive(const std::string& path) {
  // O_NONBLOCK keeps a FIFO without a reader from hanging the open; it is cleared again below.
  // O_NOFOLLOW: a link at the path is replaced by a new file, never followed to its target.
  const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;
  // Replacing a file means a new file: one that has other names (a hard link) or is a symbolic
  // link is removed first, as deleting and creating it would, so no other name changes.
  for (int round = 0;; ++round) {
    // Open an existing file without creating, and create only with O_EXCL, so that we know
    // whether the file is ours to remove when a later step fails. Neither open truncates: the
    // file may be another process's, locked, and must stay as it is until we hold the lock.
    bool created = false;
    int fd = -1;
    for (int attempt = 0; attempt < 3 && fd < 0; ++attempt) {
      fd = OpenRetrying(path.c_str(), flags);
      if (fd < 0 && errno == ELOOP && round == 0) {
        if (::unlink(path.c_str()) != 0) break;
        continue;
      }
      if (fd >= 0 || errno != ENOENT) break;
      fd = OpenRetrying(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
      if (fd >= 0) {
        created = true;
      } else if (errno != EEXIST) {
        break;  // EEXIST: another process created it meanwhile; open that one
      }
    }
    if (fd < 0) throw FileError(errno);

    // Releases the descriptor after a failed step, and removes a file this call created, unless
    // another process has taken hold of it (the lock is theirs).
    const auto fail = [&](const HostError& error, bool remove_created) -> HostError {
      if (created && remove_created) ::unlink(path.c_str());
      ::close(fd);
      return error;
    };

    struct stat st;
    if (::fstat(fd, &st) != 0) throw fail(FileError(errno), true);
    if (!S_ISREG(st.st_mode)) throw fail(HostError(kErrPathFileAccess), true);

    int locked;
    do {
      locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
      if (errno == EWOULDBLOCK) throw fail(HostError(kErrPermissionDenied), false);
      throw fail(FileError(errno), true);
    }
    if (!created && st.st_nlink > 1 && round == 0) {
      const int removed = ::unlink(path.c_str());
      const int unlink_error = errno;
      ::close(fd);
      if (removed != 0) throw FileError(unlink_error);
      continue;
    }

    const int status_flags = ::fcntl(fd, F_GETFL);
    if (status_flags == -1 || ::fcntl(fd, F_SETFL, status_flags & ~O_NONBLOCK) == -1) {
      throw fail(FileError(errno), true);
    }
    int truncated;
    do {
      truncated = ::ftruncate(fd, 0);
    } while (truncated != 0 && errno == EINTR);
    if (truncated != 0) throw fail(FileError(errno), true);

    return std::make_unique<PosixOutputStream>(fd);
  }
}

}  // namespace tovalin
