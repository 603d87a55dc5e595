#include "host/win32/win32_file_system.h"

#include <shlwapi.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "host/host_error.h"
#include "host/win32/utf16.h"

namespace tovalin::win32 {
namespace {

// The runtime's file error for a Win32 error code; `other` for codes without a better match.
HostError FileError(DWORD error, int32_t other) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return HostError(kErrPathNotFound);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return HostError(kErrBadFileName);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return HostError(kErrPermissionDenied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return HostError(kErrDiskFull);
    case ERROR_TOO_MANY_OPEN_FILES:
      return HostError(kErrTooManyFiles);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return HostError(kErrOutOfMemory);
    default:
      return HostError(other);
  }
}

bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

class Win32OutputStream : public OutputStream {
 public:
  explicit Win32OutputStream(HANDLE file) : file_(file) {}
  ~Win32OutputStream() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  Win32OutputStream(const Win32OutputStream&) = delete;
  Win32OutputStream& operator=(const Win32OutputStream&) = delete;

  void Write(std::string_view bytes) override {
    if (file_ == INVALID_HANDLE_VALUE) throw HostError(kErrBadFileName);
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (WriteFile(file_, bytes.data(), chunk, &written, nullptr) == FALSE) {
        throw FileError(GetLastError(), kErrDeviceIo);
      }
      // A disk file takes at least one byte or says why not; guard against spinning.
      if (written == 0) throw HostError(kErrDeviceIo);
      bytes.remove_prefix(written);
    }
  }

  void Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return;
    HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    if (CloseHandle(file) == FALSE) throw FileError(GetLastError(), kErrDeviceIo);
  }

 private:
  HANDLE file_;
};

// Closes a file handle when it goes, unless released.
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  void reset() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(release());
  }

 private:
  HANDLE handle_;
};

// Removes a symbolic link (or other reparse point) at the path, so that the open below creates
// a file in its place instead of writing through it. Folders are left for the open to refuse.
void RemoveLinkAt(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  if (DeleteFileW(path.c_str()) == FALSE) throw FileError(GetLastError(), kErrPathFileAccess);
}

}  // namespace

bool Win32FileSystem::Exists(const std::string& path) {
  return !HasNul(path) && PathFileExistsW(Utf8ToUtf16(path).c_str()) != FALSE;
}

bool Win32FileSystem::IsDirectory(const std::string& path) {
  return !HasNul(path) && PathIsDirectoryW(Utf8ToUtf16(path).c_str()) != FALSE;
}

std::unique_ptr<OutputStream> Win32FileSystem::OpenExclusive(const std::string& path) {
  if (path.empty() || HasNul(path)) throw HostError(kErrBadFileName);
  const std::wstring wide = Utf8ToUtf16(path);
  RemoveLinkAt(wide);
  for (int round = 0;; ++round) {
    // OPEN_ALWAYS does not truncate: the file may have other names, which must keep their
    // content; it is emptied below once we know it is ours alone.
    UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_ACCESS_DENIED && PathIsDirectoryW(wide.c_str()) != FALSE) {
        throw HostError(kErrPathFileAccess);
      }
      throw FileError(error, kErrPathFileAccess);
    }
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    // Gives up the handle after a failed step, and removes a file this call created.
    const auto fail = [&](const HostError& error) -> HostError {
      file.reset();
      if (created) DeleteFileW(wide.c_str());
      return error;
    };

    if (GetFileType(file.get()) != FILE_TYPE_DISK) throw fail(HostError(kErrPathFileAccess));
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file.get(), &info) == FALSE) {
      throw fail(FileError(GetLastError(), kErrPathFileAccess));
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      throw fail(HostError(kErrPathFileAccess));
    }
    if (!created && info.nNumberOfLinks > 1 && round == 0) {
      // Replace the shared file by a new one, as deleting and creating it would.
      file.reset();
      if (DeleteFileW(wide.c_str()) == FALSE) throw FileError(GetLastError(), kErrPathFileAccess);
      continue;
    }
    if (SetEndOfFile(file.get()) == FALSE) {
      throw fail(FileError(GetLastError(), kErrPathFileAccess));
    }
    auto stream = std::make_unique<Win32OutputStream>(file.get());
    file.release();
    return stream;
  }
}

}  // namespace tovalin::win32
