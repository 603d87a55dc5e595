// Shared pieces of the dialog window tests: the runtime's services as recording fakes, a visible
// owner window that is active while a dialog is created, and geometry helpers that compare a
// control's place with a layout given in twips.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_error.h"
#include "host/runtime.h"
#include "host/services.h"

namespace tovalin::win32::testing {

class RecordingMessageBox : public MessageBox {
 public:
  int Show(const std::string& text, int /*style*/, const std::string& /*title*/) override {
    shown.push_back(text);
    return kMbOk;
  }
  std::vector<std::string> shown;
};

class IgnoredWarnings : public WarningSink {
 public:
  void Warn(const std::string& /*text*/) override {}
};

class NoClasses : public ClassRegistry {
 public:
  bool KeyExists(const std::string& /*name*/) override { return false; }
};

// Folders listed in `directories` exist; every file opened is recorded with what was written.
class RecordingFileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override {
    return directories.count(path) != 0 || files.count(path) != 0;
  }
  bool IsDirectory(const std::string& path) override { return directories.count(path) != 0; }
  std::unique_ptr<OutputStream> OpenExclusive(const std::string& path) override {
    opened.push_back(path);
    return std::make_unique<Stream>(files[path]);
  }

  std::set<std::string> directories;
  std::map<std::string, std::string> files;
  std::vector<std::string> opened;

 private:
  class Stream : public OutputStream {
   public:
    explicit Stream(std::string& bytes) : bytes_(bytes) {}
    void Write(std::string_view bytes) override { bytes_.append(bytes); }
    void Close() override {}

   private:
    std::string& bytes_;
  };
};

struct TestRuntime {
  RecordingMessageBox messages;
  IgnoredWarnings warnings;
  NoClasses classes;
  RecordingFileSystem files;
  Runtime runtime{ErrorState{}, messages, files, classes, warnings, 1252};
};

// A visible top-level window of this thread, made the active window, so that a dialog created
// now takes it as its owner (as the editor's window is in the editor).
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Polls `done` until it holds; throws DriverError naming `what` after the driver's timeout.
void WaitUntil(const std::function<bool()>& done, const std::string& what);

// The error number a call throws as HostError; 0 when it returns.
int ErrorNumberOf(const std::function<void()>& call);

// An ASCII text as UTF-16.
std::wstring Ascii(std::string_view text);

// A rectangle in twips from the client area's top-left corner.
struct TwipsRect {
  int id;
  int left, top, width, height;
};

// A dialog template measures in units of its font. At 96 DPI the twips layout holds for the
// base units of "MS Shell Dlg" 8 pt on Windows, 6 x 13 pixels, at 15 twips a pixel; another
// font's metrics (Wine's substitute is wider) scale the whole layout by the ratio of its base
// units to those.
struct FontScale {
  double x;
  double y;
};
FontScale FontScaleOf(HWND dialog);
// Twips as pixels at 96 DPI, scaled.
int Pixels(int twips, double scale);

// The control's rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND control);
// The distance in pixels between the control's rectangle and `expected` (scaled by the
// dialog's font): the largest difference of its four edges.
int PixelsOff(HWND dialog, const TwipsRect& expected);
// A rectangle's centre.
POINT Centre(const RECT& rect);

}  // namespace tovalin::win32::testing
