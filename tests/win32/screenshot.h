// Captures a window as it shows on the screen into a 24-bit BMP file, so that a test run leaves
// pictures of its dialogs for a person to look at.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace tovalin::win32::testing {

struct Screenshot {
  int width = 0;
  int height = 0;
  // The number of different colours in the picture: a blank or failed capture has one.
  size_t colours = 0;
};

// Throws std::runtime_error when the window cannot be captured or the file written.
Screenshot SaveScreenshot(HWND window, const std::filesystem::path& bmp_path);

}  // namespace tovalin::win32::testing
