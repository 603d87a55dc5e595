// Plain prompts and answers on a terminal: a prompt is printed, one line is read.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace tovalin {

class Terminal {
 public:
  Terminal(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

  // Prints `prompt` and reads one line, without its line break and surrounding blanks; nullopt
  // at the end of input (the terminal was closed: the caller cancels).
  std::optional<std::string> Ask(const std::string& prompt);
  void Print(const std::string& text);

 private:
  std::FILE* in_;
  std::FILE* out_;
};

// `folder` made absolute against the current folder, without resolving links; empty stays
// empty.
std::string AbsoluteFolder(const std::string& folder);

// A caption without its access-key marker: "&Browse..." is "Browse...".
std::string WithoutAccessKey(std::string_view caption);

}  // namespace tovalin
