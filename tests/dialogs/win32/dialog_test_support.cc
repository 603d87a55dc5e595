#include "dialog_test_support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "window_driver.h"

namespace tovalin::win32::testing {
namespace {

constexpr wchar_t kOwnerClass[] = L"TovalinTestOwner";

ATOM RegisterOwnerClass() {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kOwnerClass;
  return RegisterClassW(&window_class);
}

}  // namespace

OwnerWindow::OwnerWindow() {
  static const ATOM registered = RegisterOwnerClass();
  (void)registered;
  hwnd_ = CreateWindowExW(0, kOwnerClass, L"Owner", WS_OVERLAPPEDWINDOW, 40, 30, 700, 600, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(hwnd_, SW_SHOW);
  SetActiveWindow(hwnd_);
}

OwnerWindow::~OwnerWindow() { DestroyWindow(hwnd_); }

void WaitUntil(const std::function<bool()>& done, const std::string& what) {
  const auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) throw DriverError("timed out: " + what);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const HostError& error) {
    return error.number();
  }
  return 0;
}

std::wstring Ascii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

RECT ClientRectOf(HWND dialog, HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

FontScale FontScaleOf(HWND dialog) {
  RECT base{0, 0, 4, 8};
  MapDialogRect(dialog, &base);
  return {base.right / 6.0, base.bottom / 13.0};
}

int Pixels(int twips, double scale) { return static_cast<int>(std::lround(twips / 15.0 * scale)); }

int PixelsOff(HWND dialog, const TwipsRect& expected) {
  HWND control = GetDlgItem(dialog, expected.id);
  if (control == nullptr) return 1 << 20;
  const RECT actual = ClientRectOf(dialog, control);
  const FontScale scale = FontScaleOf(dialog);
  const int left = Pixels(expected.left, scale.x);
  const int top = Pixels(expected.top, scale.y);
  const int right = Pixels(expected.left + expected.width, scale.x);
  const int bottom = Pixels(expected.top + expected.height, scale.y);
  return std::max({std::abs(actual.left - left), std::abs(actual.top - top),
                   std::abs(actual.right - right), std::abs(actual.bottom - bottom)});
}

POINT Centre(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace tovalin::win32::testing
