#include "cli/terminal.h"

#include <filesystem>

namespace tovalin {
namespace {

// Longest answer kept; the rest of a longer line is read and dropped.
constexpr size_t kMaxAnswer = 4096;

}  // namespace

std::optional<std::string> Terminal::Ask(const std::string& prompt) {
  std::fputs(prompt.c_str(), out_);
  std::fflush(out_);
  std::string line;
  bool any = false;
  for (int c; (c = std::fgetc(in_)) != EOF;) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kMaxAnswer) line += static_cast<char>(c);
  }
  if (!any) {
    std::fputc('\n', out_);  // end the prompt's line for what follows
    std::fflush(out_);
    return std::nullopt;
  }
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  size_t begin = 0;
  size_t end = line.size();
  while (begin < end && blank(line[begin])) ++begin;
  while (end > begin && blank(line[end - 1])) --end;
  return line.substr(begin, end - begin);
}

void Terminal::Print(const std::string& text) {
  std::fputs(text.c_str(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

std::string AbsoluteFolder(const std::string& folder) {
  if (folder.empty()) return folder;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
  if (error) return folder;
  // Resolved as the system resolves it: "link/.." is the link's target's parent, which a
  // lexical clean-up would take for the current folder.
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
  std::string text = error ? absolute.string() : resolved.string();
  // The dialog adds the separator itself.
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

std::string WithoutAccessKey(std::string_view caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&&" is a literal "&"
    text += caption[i];
  }
  return text;
}

}  // namespace tovalin
