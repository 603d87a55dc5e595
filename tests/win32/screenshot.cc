#include "screenshot.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace tovalin::win32::testing {
namespace {

void Put16(std::vector<char>& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::vector<char>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

// Releases the GDI objects of one capture in any case.
struct Capture {
  HDC screen = nullptr;
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  ~Capture() {
    if (previous != nullptr) SelectObject(memory, previous);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    if (screen != nullptr) ReleaseDC(nullptr, screen);
  }
};

}  // namespace

Screenshot SaveScreenshot(HWND window, const std::filesystem::path& bmp_path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect)) throw std::runtime_error("no window to capture");
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) throw std::runtime_error("the window has no area");

  // Copied from the screen rather than painted with PrintWindow: the picture is what a user sees,
  // child controls included.
  Capture capture;
  capture.screen = GetDC(nullptr);
  capture.memory = CreateCompatibleDC(capture.screen);
  capture.bitmap = CreateCompatibleBitmap(capture.screen, width, height);
  if (capture.screen == nullptr || capture.memory == nullptr || capture.bitmap == nullptr) {
    throw std::runtime_error("cannot create the capture bitmap");
  }
  capture.previous = SelectObject(capture.memory, capture.bitmap);
  if (!BitBlt(capture.memory, 0, 0, width, height, capture.screen, rect.left, rect.top, SRCCOPY)) {
    throw std::runtime_error("cannot copy the window from the screen");
  }
  SelectObject(capture.memory, capture.previous);
  capture.previous = nullptr;

  // Rows bottom-up, three bytes a pixel, each row padded to four bytes: the BMP layout.
  const uint32_t row_size = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t pixel_bytes = row_size * static_cast<uint32_t>(height);
  std::vector<BYTE> pixels(pixel_bytes);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  if (GetDIBits(capture.memory, capture.bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                DIB_RGB_COLORS) != height) {
    throw std::runtime_error("cannot read the captured pixels");
  }

  Screenshot shot{width, height, 0};
  std::unordered_set<uint32_t> colours;
  for (int y = 0; y < height; ++y) {
    const BYTE* row = pixels.data() + static_cast<size_t>(y) * row_size;
    for (int x = 0; x < width; ++x) {
      const BYTE* pixel = row + 3 * x;
      colours.insert(static_cast<uint32_t>(pixel[0] | (pixel[1] << 8) | (pixel[2] << 16)));
    }
  }
  shot.colours = colours.size();

  const uint32_t header_size = 14 + 40;
  std::vector<char> file;
  file.reserve(header_size + pixel_bytes);
  Put16(file, 0x4D42);  // "BM"
  Put32(file, header_size + pixel_bytes);
  Put32(file, 0);
  Put32(file, header_size);
  Put32(file, 40);
  Put32(file, static_cast<uint32_t>(width));
  Put32(file, static_cast<uint32_t>(height));
  Put16(file, 1);
  Put16(file, 24);
  Put32(file, BI_RGB);
  Put32(file, pixel_bytes);
  Put32(file, 2835);  // 72 dots per inch.
  Put32(file, 2835);
  Put32(file, 0);
  Put32(file, 0);
  file.insert(file.end(), pixels.begin(), pixels.end());

  std::ofstream out(bmp_path, std::ios::binary | std::ios::trunc);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  if (!out) throw std::runtime_error("cannot write the screenshot");
  return shot;
}

}  // namespace tovalin::win32::testing
