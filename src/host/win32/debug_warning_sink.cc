#include "host/win32/debug_warning_sink.h"

#include <windows.h>

#include "host/win32/utf16.h"

namespace tovalin::win32 {

void DebugWarningSink::Warn(const std::string& text) {
  OutputDebugStringW(Utf8ToUtf16("tovalin: " + text + "\n").c_str());
}

}  // namespace tovalin::win32
