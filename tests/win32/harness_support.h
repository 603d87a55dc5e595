// Small helpers of the Wine test harness: text conversion, the paths the build hands over, Wine
// detection, and a scratch folder for exported files.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tovalin::win32::testing {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// True when this process runs under Wine (its ntdll exports wine_get_version). The harness uses it
// only to work around Wine's registry layout, never to change what it checks.
bool RunningUnderWine();

// A path from the build (a Unix path when cross-compiled) as a Windows path: Wine maps "/" to the
// drive Z:, so "/a/b" becomes "Z:\a\b". Other paths come back with "\" separators only.
std::wstring WindowsPath(std::string_view build_path);

// The add-in module under test and the folder of the golden exports, from the build.
std::wstring AddInModulePath();
std::filesystem::path GoldenFolder();
// Where the harness leaves its screenshots: the build folder.
std::filesystem::path OutputFolder();

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// A fresh folder under the user's temporary folder, removed with its contents at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder without a trailing "\", as a user would type it.
  std::wstring Text() const { return path_.wstring(); }
  // The names of the files in the folder, sorted.
  std::vector<std::string> FileNames() const;

 private:
  std::filesystem::path path_;
};

}  // namespace tovalin::win32::testing
