// The About box and the folder picker on a terminal.
#pragma once

#include <string>

#include "cli/terminal.h"
#include "dialogs/about_form.h"
#include "host/platform_services.h"

namespace tovalin {

// Prints the About box's labels. Shown modally it then offers its two links; without a terminal
// it closes at once.
class TerminalAboutView : public AboutFormView {
 public:
  // `terminal` null: no questions.
  explicit TerminalAboutView(Terminal* terminal, std::FILE* out);

  void SetVersionCaption(const std::string& caption) override { version_ = caption; }
  std::string EmailCaption() override { return email_; }
  std::string WwwCaption() override { return www_; }
  WindowHandle Window() override { return 0; }
  void Close() override { closed_ = true; }
  void ShowModal(AboutForm& form) override;

 private:
  Terminal* terminal_;
  std::FILE* out_;
  std::string version_;
  std::string email_;
  std::string www_;
  bool closed_ = false;
};

// The platform's shell with a folder picker that asks on the terminal: an existing folder, or
// an empty answer to keep the current one.
class TerminalShell : public Shell {
 public:
  TerminalShell(Shell& platform, Terminal& terminal) : platform_(platform), terminal_(terminal) {}

  std::optional<std::string> SpecialFolderLocation(int csidl, WindowHandle owner) override {
    return platform_.SpecialFolderLocation(csidl, owner);
  }
  std::optional<std::string> PickFolder(WindowHandle owner, const std::string& initial_folder,
                                        const std::string& prompt) override;
  void OpenLink(WindowHandle owner, const std::string& target) override {
    platform_.OpenLink(owner, target);
  }

 private:
  Shell& platform_;
  Terminal& terminal_;
};

}  // namespace tovalin
