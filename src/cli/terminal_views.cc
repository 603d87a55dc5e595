#include "cli/terminal_views.h"

#include <sys/stat.h>

#include "common/app_info.h"

namespace tovalin {
namespace {

// Unusable answers before a question counts as cancelled.
constexpr int kMaxAttempts = 5;

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

TerminalAboutView::TerminalAboutView(Terminal* terminal, std::FILE* out)
    : terminal_(terminal), out_(out), email_(kMakerEmail), www_(kMakerWebAddress) {}

void TerminalAboutView::ShowModal(AboutForm& form) {
  closed_ = false;
  for (const std::string& line :
       {version_, std::string(kProductDescription), std::string(kCopyright), email_, www_}) {
    std::fprintf(out_, "%s\n", line.c_str());
  }
  std::fflush(out_);
  for (int attempt = 0; terminal_ != nullptr && !closed_ && attempt < kMaxAttempts; ++attempt) {
    const auto answer = terminal_->Ask("Open the [e]-mail address or the [w]eb page, or Enter to " +
                                       std::string(kAboutCloseCaption) + ": ");
    if (answer == "e") {
      form.EmailLabel_Click();
    } else if (answer == "w") {
      form.WwwLabel_Click();
    } else if (!answer || answer->empty()) {
      form.CloseCommand_Click();
    }
  }
  closed_ = true;
}

std::optional<std::string> TerminalShell::PickFolder(WindowHandle /*owner*/,
                                                     const std::string& initial_folder,
                                                     const std::string& prompt) {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    const auto answer = terminal_.Ask(prompt + " [" + initial_folder + "] ");
    if (!answer || answer->empty()) return std::nullopt;
    // A picker hands back full paths: the folder is remembered for runs that start elsewhere.
    if (IsDirectory(*answer)) return AbsoluteFolder(*answer);
    terminal_.Print("There is no folder " + *answer + "; name an existing folder.");
  }
  return std::nullopt;
}

}  // namespace tovalin
