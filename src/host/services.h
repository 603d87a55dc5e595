// The platform services the engine and the front ends call: message boxes, file tests and output
// files, the class registry, and warnings to the user.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tovalin {

// Message box styles and results, the runtime's MsgBox codes.
enum MessageBoxCode : int {
  kMbOk = 1,
  kMbCancel = 2,
  kMbYes = 6,
  kMbNo = 7,
  kMbStyleCritical = 16,
  kMbStyleYesNoCancelExclamation = 51,
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows a modal box and returns the button pressed.
  virtual int Show(const std::string& text, int style, const std::string& title) = 0;
};

// An open output file. Write and Close throw HostError with the runtime's file error numbers.
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  virtual void Write(std::string_view bytes) = 0;
  virtual void Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when the path names an existing file or folder.
  virtual bool Exists(const std::string& path) = 0;
  // True when the path names an existing folder.
  virtual bool IsDirectory(const std::string& path) = 0;
  // Opens the file for writing, empty, denying other openers while it is open. Throws HostError
  // (76 Path not found, 70 Permission denied, 75 Path/File access error, ...).
  virtual std::unique_ptr<OutputStream> OpenExclusive(const std::string& path) = 0;
};

// The class registry question: does a key of this name exist directly under the class root?
class ClassRegistry {
 public:
  virtual ~ClassRegistry() = default;
  virtual bool KeyExists(const std::string& name) = 0;
};

// Notes to the user that are not failures (a character replaced in the output, a question
// answered without asking).
class WarningSink {
 public:
  virtual ~WarningSink() = default;
  virtual void Warn(const std::string& text) = 0;
};

}  // namespace tovalin
