// The message boxes of the export: every box carries the application title; the error report
// appends the current error's number and description to a text.
#pragma once

#include <string>

#include "host/runtime.h"

namespace tovalin {

// Shows `text` with `style`; returns the button pressed.
int ShowMessage(Runtime& runtime, const std::string& text, int style);
// A stop-sign message with an OK button.
void ShowCriticalMessage(Runtime& runtime, const std::string& text);
// `text`, an empty line and "Error <number>: <description>" of the current error, which it
// leaves as it is.
void ShowErrorReport(Runtime& runtime, const std::string& text);
// A Yes/No/Cancel question with the exclamation icon: kMbYes, kMbNo or kMbCancel.
int AskYesNoCancel(Runtime& runtime, const std::string& text);

}  // namespace tovalin
