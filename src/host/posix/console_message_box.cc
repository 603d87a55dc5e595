#include "host/posix/console_message_box.h"

#include <cctype>
#include <optional>
#include <string>

namespace tovalin {
namespace {

constexpr char kPrompt[] = "Overwrite? [y]es, [n]o, [c]ancel: ";
constexpr char kNoTerminalWarning[] =
    "tovalin: warning: no terminal to ask; the file was not replaced (use --overwrite to replace "
    "existing files)";
// Unrecognised answers before the question counts as cancelled.
constexpr int kMaxAttempts = 5;
// Longest answer kept; the rest of a longer line is read and dropped.
constexpr size_t kMaxAnswer = 64;

// Message texts separate their lines with CR LF; the console wants "\n". Trailing line breaks
// are dropped so that the caller can end the text with exactly one.
std::string ConsoleText(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  while (!result.empty() && result.back() == '\n') result.pop_back();
  return result;
}

void PrintLine(std::FILE* stream, const std::string& line) {
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

// One line from `in`, without its line break; nullopt at the end of input before any character.
std::optional<std::string> ReadLine(std::FILE* in) {
  std::string line;
  int c;
  bool any = false;
  while ((c = std::fgetc(in)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kMaxAnswer) line += static_cast<char>(c);
  }
  if (!any) return std::nullopt;
  return line;
}

// The button an answer names, or nullopt when it names none.
std::optional<int> ParseAnswer(const std::string& line) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  size_t begin = 0;
  size_t end = line.size();
  while (begin < end && space(line[begin])) ++begin;
  while (end > begin && space(line[end - 1])) --end;
  std::string word;
  for (size_t i = begin; i < end; ++i) {
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(line[i])));
  }
  if (word == "y" || word == "yes") return kMbYes;
  if (word == "n" || word == "no") return kMbNo;
  if (word == "c" || word == "cancel") return kMbCancel;
  return std::nullopt;
}

}  // namespace

ConsoleMessageBox::ConsoleMessageBox(std::FILE* in, std::FILE* out, std::FILE* err,
                                     bool interactive)
    : in_(in), out_(out), err_(err), interactive_(interactive) {}

int ConsoleMessageBox::Show(const std::string& text, int style, const std::string& title) {
  if (style != kMbStyleYesNoCancelExclamation) {
    PrintLine(err_, title + ": " + ConsoleText(text));
    return kMbOk;
  }
  if (!interactive_) {
    // Nobody to ask: keep the existing file, and say how to replace it next time.
    PrintLine(err_, ConsoleText(text));
    PrintLine(err_, kNoTerminalWarning);
    return kMbNo;
  }
  PrintLine(out_, ConsoleText(text));
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    std::fputs(kPrompt, out_);
    std::fflush(out_);
    const std::optional<std::string> line = ReadLine(in_);
    if (!line) {
      // End of input is the closed window: Cancel. End the prompt's line for the next output.
      std::fputc('\n', out_);
      std::fflush(out_);
      return kMbCancel;
    }
    if (const std::optional<int> answer = ParseAnswer(*line)) return *answer;
  }
  return kMbCancel;
}

}  // namespace tovalin
