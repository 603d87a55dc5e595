// Test doubles of the platform services, and a Runtime wired to them.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host_error.h"
#include "host/posix/posix_file_system.h"
#include "host/runtime.h"
#include "host/services.h"

namespace tovalin::testing {

// Answers questions from a script and records every box shown.
class ScriptedMessageBox : public MessageBox {
 public:
  struct Shown {
    std::string text;
    int style;
    std::string title;
  };
  void Answer(int button) { answers_.push_back(button); }
  int Show(const std::string& text, int style, const std::string& title) override {
    shown.push_back({text, style, title});
    if (answers_.empty()) return style == kMbStyleCritical ? kMbOk : kMbCancel;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::vector<Shown> shown;

 private:
  std::deque<int> answers_;
};

class RecordingWarnings : public WarningSink {
 public:
  void Warn(const std::string& text) override { warnings.push_back(text); }
  std::vector<std::string> warnings;
};

class FixedClassRegistry : public ClassRegistry {
 public:
  explicit FixedClassRegistry(std::set<std::string> keys = {}) : keys_(std::move(keys)) {}
  bool KeyExists(const std::string& name) override { return keys_.count(name) != 0; }

 private:
  std::set<std::string> keys_;
};

// An in-memory file system. Each opened file records its bytes and the writes attempted on it;
// an open, a given write or the close can be made to fail.
class FakeFileSystem : public FileSystem {
 public:
  struct File {
    std::string bytes;
    bool open = false;
    int writes_attempted = 0;
  };

  bool Exists(const std::string& path) override {
    return files.count(path) != 0 || directories.count(path) != 0;
  }
  bool IsDirectory(const std::string& path) override { return directories.count(path) != 0; }
  std::unique_ptr<OutputStream> OpenExclusive(const std::string& path) override {
    if (open_error) throw *open_error;
    File& file = files[path];
    file = File{};
    file.open = true;
    return std::make_unique<Stream>(*this, file);
  }

  std::map<std::string, File> files;
  std::set<std::string> directories;
  std::optional<HostError> open_error;
  // Writes (numbered from 1 for each opened file) that throw write_error instead of writing.
  std::set<int> failing_writes;
  HostError write_error{kErrDiskFull};
  std::optional<HostError> close_error;

 private:
  class Stream : public OutputStream {
   public:
    Stream(FakeFileSystem& owner, File& file) : owner_(owner), file_(file) {}
    ~Stream() override { file_.open = false; }
    void Write(std::string_view bytes) override {
      if (!file_.open) throw HostError(kErrBadFileName);
      if (owner_.failing_writes.count(++file_.writes_attempted) != 0) throw owner_.write_error;
      file_.bytes.append(bytes);
    }
    void Close() override {
      file_.open = false;
      if (owner_.close_error) throw *owner_.close_error;
    }

   private:
    FakeFileSystem& owner_;
    File& file_;
  };
};

// A Runtime over the real file system with scripted messages.
struct TestRuntime {
  ScriptedMessageBox messages;
  RecordingWarnings warnings;
  FixedClassRegistry classes;
  PosixFileSystem files;
  Runtime runtime{ErrorState{}, messages, files, classes, warnings, 1252};
};

}  // namespace tovalin::testing
