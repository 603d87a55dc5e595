#include "cli/terminal_dialog.h"

#include <charconv>
#include <optional>

namespace tovalin {
namespace {

// Unusable answers before a question counts as cancelled; rounds through the questions before
// the dialog counts as cancelled.
constexpr int kMaxAttempts = 5;
constexpr int kMaxRounds = 20;

std::optional<int> ParseIndex(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

bool ParseSelection(const std::string& answer, int count, std::vector<bool>& selected) {
  selected.assign(static_cast<size_t>(count), false);
  const std::string word = Lower(answer);
  if (word == "all" || word == "a") {
    selected.assign(static_cast<size_t>(count), true);
    return true;
  }
  if (word == "none" || word == "n") return true;
  size_t begin = 0;
  while (begin <= answer.size()) {
    size_t end = answer.find_first_of(", ", begin);
    if (end == std::string::npos) end = answer.size();
    const std::string_view part(answer.data() + begin, end - begin);
    begin = end + 1;
    if (part.empty()) continue;
    const size_t dash = part.find('-');
    const auto first = ParseIndex(part.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : ParseIndex(part.substr(dash + 1));
    if (!first || !last || *first < 1 || *last > count || *first > *last) return false;
    for (int i = *first; i <= *last; ++i) selected[static_cast<size_t>(i - 1)] = true;
  }
  return true;
}

void TerminalDialog::PrintState() {
  terminal_.Print(WithoutAccessKey(kPromptLabelCaption));
  for (int i = 0; i < view_.ListCount(); ++i) {
    terminal_.Print(std::string(view_.Selected(i) ? "  * " : "    ") + std::to_string(i + 1) +
                    "  " + view_.ItemText(i));
  }
  const std::string folder = view_.FolderText();
  terminal_.Print(WithoutAccessKey(kFolderLabelCaption) + " " +
                  (folder.empty() ? "(the current folder)" : folder));
  const int state = view_.OverwriteState();
  terminal_.Print(WithoutAccessKey(kOverwriteCaption) + ": " +
                  (state == kUnchecked ? "no"
                   : state == kChecked ? "yes"
                                       : "yes (as saved)"));
}

bool TerminalDialog::AskSelection() {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const auto answer = terminal_.Ask(
        "Forms to export: numbers (1,3-4), all or none; Enter keeps the marked ones: ");
    if (!answer) return false;
    if (answer->empty()) return true;
    std::vector<bool> selected;
    if (!ParseSelection(*answer, view_.ListCount(), selected)) {
      terminal_.Print("Name forms by their numbers, 1 to " + std::to_string(view_.ListCount()) +
                      ".");
      continue;
    }
    // The list's own selection calls, as clicks in a window would make them.
    for (int i = 0; i < view_.ListCount(); ++i) {
      view_.SetSelected(i, selected[static_cast<size_t>(i)]);
    }
    return true;
  }
  return false;
}

bool TerminalDialog::AskOverwrite() {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const bool on = view_.OverwriteState() != kUnchecked;
    const auto answer =
        terminal_.Ask(WithoutAccessKey(kOverwriteCaption) + (on ? "? [Y/n] " : "? [y/N] "));
    if (!answer) return false;
    const std::string word = Lower(*answer);
    if (word.empty()) return true;
    if (word == "y" || word == "yes") {
      view_.SetOverwriteState(kChecked);
      return true;
    }
    if (word == "n" || word == "no") {
      view_.SetOverwriteState(kUnchecked);
      return true;
    }
  }
  return false;
}

char TerminalDialog::AskButton() {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const auto answer =
        terminal_.Ask("[o]k to export, [c]ancel, [r]eview the choices, or abou[t]: ");
    if (!answer) return 'c';
    const std::string word = Lower(*answer);
    if (word == "o" || word == "ok") {
      if (view_.ok_enabled()) return 'o';
      terminal_.Print("No form is selected.");
      return 'r';
    }
    if (word == "c" || word == "cancel") return 'c';
    if (word == "r" || word == "review") return 'r';
    if (word == "t" || word == "about") dialog_.AboutButton_Click();
  }
  return 'c';
}

bool TerminalDialog::Run(const std::string& title) {
  terminal_.Print(view_.caption() + ": " + title);
  for (int round = 0; round < kMaxRounds; ++round) {
    PrintState();
    if (!AskSelection()) break;
    dialog_.BrowseCommand_Click();
    if (!AskOverwrite()) break;
    const char button = AskButton();
    if (button == 'o') {
      dialog_.OKButton_Click();
      return true;
    }
    if (button == 'c') break;
  }
  dialog_.CancelButton_Click();
  return false;
}

}  // namespace tovalin
