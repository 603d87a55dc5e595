// The export dialog on a terminal: tovalin runs on a pseudo-terminal and the test answers its
// prompts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tovalin::testing {
namespace {

constexpr const char* kThreeForms = R"({"activeProject": {"name": "P", "components": [
    {"name": "frmA", "type": 3, "properties": {"Caption": "A"}},
    {"name": "frmB", "type": 3, "properties": {"Caption": "B"}},
    {"name": "frmC", "type": 3, "properties": {"Caption": "C"}}]}})";

// One run of tovalin on a pseudo-terminal.
class TerminalSession {
 public:
  TerminalSession(const std::string& home, std::vector<std::string> arguments) {
    pid_ = ::forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      ::setenv("HOME", home.c_str(), 1);
      ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
      ::setenv("PATH", "/nonexistent", 1);  // no link opener is started
      std::vector<char*> argv;
      std::string binary = TOVALIN_BINARY;
      argv.push_back(binary.data());
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      ::execv(binary.c_str(), argv.data());
      ::_exit(127);
    }
  }
  ~TerminalSession() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) ::close(master_);
  }

  // Reads until `text` has appeared after the previous match; false after 20 s without it.
  bool Expect(const std::string& text) {
    for (;;) {
      const size_t found = transcript_.find(text, matched_);
      if (found != std::string::npos) {
        matched_ = found + text.size();
        return true;
      }
      if (!ReadSome(20000)) return false;
    }
  }
  void Type(const std::string& line) {
    const std::string bytes = line + "\n";
    EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // The exit status once the program has ended (reading what it still prints).
  int Wait() {
    while (ReadSome(20000)) {
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  const std::string& transcript() const { return transcript_; }
  bool started() const { return pid_ > 0 && master_ >= 0; }

 private:
  bool ReadSome(int timeout_ms) {
    pollfd fd{master_, POLLIN, 0};
    if (::poll(&fd, 1, timeout_ms) <= 0) return false;
    char buffer[4096];
    const ssize_t got = ::read(master_, buffer, sizeof buffer);
    if (got <= 0) return false;  // EIO: the program has ended
    transcript_.append(buffer, static_cast<size_t>(got));
    return true;
  }

  pid_t pid_ = -1;
  int master_ = -1;
  bool exited_ = false;
  std::string transcript_;
  size_t matched_ = 0;
};

class InteractiveTest : public ::testing::Test {
 protected:
  InteractiveTest() {
    std::filesystem::create_directories(home_);
    std::filesystem::create_directories(out_);
    WriteFileBytes(project_, kThreeForms);
  }
  TempFolder folder_;
  const std::string home_ = folder_.Path("home");
  const std::string out_ = folder_.Path("out");
  const std::string project_ = folder_.Path("project.json");
};

TEST_F(InteractiveTest, AnswersChooseFormsFolderAndOverwriteThenOk) {
  WriteFileBytes(out_ + "/frmB.frm", "old");
  TerminalSession session(home_, {"export", project_});
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.Expect("Select form(s) to export:")) << session.transcript();
  ASSERT_TRUE(session.Expect("  * 1  frmA")) << session.transcript();  // pre-selected
  ASSERT_TRUE(session.Expect("Forms to export")) << session.transcript();
  session.Type("2-3");
  ASSERT_TRUE(session.Expect("Select folder to save exported form(s):")) << session.transcript();
  session.Type(folder_.Path("missing"));
  ASSERT_TRUE(session.Expect("There is no folder")) << session.transcript();
  ASSERT_TRUE(session.Expect("Select folder to save exported form(s):")) << session.transcript();
  session.Type(out_);
  ASSERT_TRUE(session.Expect("Overwrite existing files without prompting? [y/N]"))
      << session.transcript();
  session.Type("n");
  ASSERT_TRUE(session.Expect("[o]k to export")) << session.transcript();
  session.Type("t");
  ASSERT_TRUE(session.Expect("Tovalin Version 1.1.116")) << session.transcript();
  ASSERT_TRUE(session.Expect("Enter to Close")) << session.transcript();
  session.Type("w");  // no opener on PATH: nothing happens
  ASSERT_TRUE(session.Expect("Enter to Close")) << session.transcript();
  session.Type("");
  ASSERT_TRUE(session.Expect("[o]k to export")) << session.transcript();
  session.Type("o");
  // frmB exists and overwriting was not allowed: the question comes on the terminal.
  ASSERT_TRUE(session.Expect("Overwrite? [y]es, [n]o, [c]ancel")) << session.transcript();
  session.Type("y");
  ASSERT_TRUE(session.Expect("frmC -> " + out_ + "/frmC.frm")) << session.transcript();
  EXPECT_EQ(session.Wait(), 0) << session.transcript();

  EXPECT_FALSE(std::filesystem::exists(out_ + "/frmA.frm"));
  EXPECT_TRUE(ReadFileBytes(out_ + "/frmB.frm").starts_with("VERSION 5.00"));
  const std::string settings = ReadFileBytes(home_ + "/.config/tovalin/settings.ini");
  EXPECT_NE(settings.find("Target Folder=" + out_ + "/\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("Overwrite without prompt=0\n"), std::string::npos) << settings;
}

TEST_F(InteractiveTest, CancelSavesAndWritesNothing) {
  TerminalSession session(home_, {"export", project_, "-o", out_});
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.Expect("Forms to export")) << session.transcript();
  session.Type("4");  // there is no fourth form
  ASSERT_TRUE(session.Expect("1 to 3")) << session.transcript();
  session.Type("all");
  ASSERT_TRUE(session.Expect("[" + out_ + "]")) << session.transcript();  // -o is the folder
  session.Type("");
  ASSERT_TRUE(session.Expect("[y/N]")) << session.transcript();
  session.Type("");
  ASSERT_TRUE(session.Expect("[o]k to export")) << session.transcript();
  session.Type("c");
  EXPECT_EQ(session.Wait(), 1) << session.transcript();
  EXPECT_TRUE(std::filesystem::is_empty(out_));
  EXPECT_FALSE(std::filesystem::exists(home_ + "/.config/tovalin/settings.ini"));
}

}  // namespace
}  // namespace tovalin::testing
