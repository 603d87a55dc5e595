#include "common/messages.h"

#include "common/app_info.h"

namespace tovalin {

int ShowMessage(Runtime& runtime, const std::string& text, int style) {
  return runtime.message_box.Show(text, style, std::string(kApplicationTitle));
}

void ShowCriticalMessage(Runtime& runtime, const std::string& text) {
  ShowMessage(runtime, text, kMbStyleCritical);
}

void ShowErrorReport(Runtime& runtime, const std::string& text) {
  const std::string report = text + "\r\n\r\nError " + std::to_string(runtime.err.number()) + ": " +
                             runtime.err.description();
  ShowCriticalMessage(runtime, report);
}

int AskYesNoCancel(Runtime& runtime, const std::string& text) {
  return ShowMessage(runtime, text, kMbStyleYesNoCancelExclamation);
}

}  // namespace tovalin
