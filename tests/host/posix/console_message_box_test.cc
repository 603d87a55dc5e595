#include "host/posix/console_message_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tovalin {
namespace {

constexpr char kQuestion[] = "The following file already exists:\r\n/out/F.frm\r\n\r\nOverwrite?";
constexpr char kQuestionLines[] = "The following file already exists:\n/out/F.frm\n\nOverwrite?\n";
constexpr char kPrompt[] = "Overwrite? [y]es, [n]o, [c]ancel: ";

// Shows one box with `typed` as the input; returns the button and what went to out and err.
int Show(const std::string& text, int style, bool interactive, const std::string& typed,
         std::string& out, std::string& err) {
  std::FILE* files[3] = {std::tmpfile(), std::tmpfile(), std::tmpfile()};
  std::fputs(typed.c_str(), files[0]);
  std::rewind(files[0]);
  const int button =
      ConsoleMessageBox(files[0], files[1], files[2], interactive).Show(text, style, "Title");
  std::string* texts[3] = {nullptr, &out, &err};
  for (int i = 1; i < 3; ++i) {
    std::rewind(files[i]);
    for (int c; (c = std::fgetc(files[i])) != EOF;) *texts[i] += static_cast<char>(c);
  }
  for (std::FILE* file : files) std::fclose(file);
  return button;
}

TEST(ConsoleMessageBoxTest, QuestionIsAskedOnTheTerminal) {
  const struct {
    std::string typed;
    int button, prompts;
  } cases[] = {{"y\n", kMbYes, 1},
               {" YES \n", kMbYes, 1},
               {"No", kMbNo, 1},
               {"c\n", kMbCancel, 1},
               {"", kMbCancel, 1},
               {"\nmaybe\ny\n", kMbYes, 3},
               {"x\nx\nx\nx\nx\ny\n", kMbCancel, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string out, err;
    EXPECT_EQ(Show(kQuestion, kMbStyleYesNoCancelExclamation, true, c.typed, out, err), c.button);
    std::string expected = kQuestionLines;
    for (int i = 0; i < c.prompts; ++i) expected += kPrompt;
    EXPECT_EQ(out, expected + (c.typed.empty() ? "\n" : ""));
    EXPECT_EQ(err, "");
  }
}

TEST(ConsoleMessageBoxTest, WithoutTerminalQuestionIsNoAndOtherBoxesGoToErr) {
  std::string out, err;
  EXPECT_EQ(Show(kQuestion, kMbStyleYesNoCancelExclamation, false, "y\n", out, err), kMbNo);
  EXPECT_EQ(Show("Cannot create\r\n\r\nError 76: Path not found\r\n", kMbStyleCritical, true, "",
                 out, err),
            kMbOk);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, std::string(kQuestionLines) +
                     "tovalin: warning: no terminal to ask; the file was not replaced (use "
                     "--overwrite to replace existing files)\n"
                     "Title: Cannot create\n\nError 76: Path not found\n");
}

}  // namespace
}  // namespace tovalin
