// The export dialog on a terminal: the numbered list of forms with the selected ones marked, the
// folder and the overwrite option, each asked in turn, then OK or Cancel.
#pragma once

#include <string>

#include "cli/terminal.h"
#include "dialogs/choose_form.h"
#include "dialogs/memory_views.h"

namespace tovalin {

class TerminalDialog {
 public:
  TerminalDialog(ChooseForm& dialog, MemoryChooseFormView& view, Terminal& terminal)
      : dialog_(dialog), view_(view), terminal_(terminal) {}

  // Asks until the user presses OK (the batch runs) or Cancel; true for OK.
  bool Run(const std::string& title);

 private:
  void PrintState();
  // false: cancelled.
  bool AskSelection();
  bool AskOverwrite();
  // 'o', 'c' or 'r' (ask again from the list).
  char AskButton();

  ChooseForm& dialog_;
  MemoryChooseFormView& view_;
  Terminal& terminal_;
};

// The list indexes an answer names: "2", "1,3", "2-4", "all", "none"; false when it names an
// index outside 1..count or is no such answer.
bool ParseSelection(const std::string& answer, int count, std::vector<bool>& selected);

}  // namespace tovalin
