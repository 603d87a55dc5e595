// Warnings of the add-in: there is no console, so they go to the debugger's output
// (OutputDebugStringW) and are otherwise invisible.
#pragma once

#include "host/services.h"

namespace tovalin::win32 {

class DebugWarningSink : public WarningSink {
 public:
  void Warn(const std::string& text) override;
};

}  // namespace tovalin::win32
