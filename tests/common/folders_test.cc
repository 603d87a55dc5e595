// Path helpers, folder browsing and the product's version text.
#include <gtest/gtest.h>

#include "common/app_info.h"
#include "common/folders.h"
#include "common/paths.h"
#include "support/fake_platform.h"

namespace tovalin::testing {
namespace {

TEST(PathsTest, AddBackslashEndsAFolderWithThePlatformsSeparatorOnly) {
  EXPECT_EQ(AddBackslash(""), "");
  EXPECT_EQ(AddBackslash("/out"), "/out/");
  EXPECT_EQ(AddBackslash("/out/"), "/out/");
  EXPECT_EQ(AddBackslash("out"), "out/");
  // On POSIX a backslash is part of a name: the file goes inside "out\", not into "out\F.frm".
  EXPECT_EQ(AddBackslash("C:\\out\\"), "C:\\out\\/");
}

TEST(PathsTest, OnlyPlainNamesMakeFilesInsideTheFolder) {
  for (const char* name : {"frmMain", "Form_1", "Größe", "a.b"}) {
    EXPECT_TRUE(IsPlainFileName(name)) << name;
  }
  for (const char* name : {"", ".", "..", "../x", "a/b", "a\\b", "\\x", "a\nb", "a\x7f"}) {
    EXPECT_FALSE(IsPlainFileName(name)) << name;
  }
}

TEST(FoldersTest, BrowseReturnsTheInitialFolderUnlessOneIsPicked) {
  FakeShell shell;
  EXPECT_EQ(BrowseForFolder(shell, 0, "/start", "Pick:"), "/start");
  EXPECT_EQ(BrowseForFolder(shell, 0, "", "Pick:"), "");
  shell.picked = "";  // an item without a path
  EXPECT_EQ(BrowseForFolder(shell, 0, "/start", "Pick:"), "/start");
  shell.picked = "/picked";
  EXPECT_EQ(BrowseForFolder(shell, 0, "/start", "Pick:"), "/picked");
  EXPECT_EQ(shell.pick_requests.back(),
            std::make_pair(std::string("/start"), std::string("Pick:")));

  EXPECT_EQ(GetSpecialFolderPath(shell, kCsidlPersonal, 0), "");
  shell.documents = "/home/me/Documents";
  EXPECT_EQ(GetSpecialFolderPath(shell, kCsidlPersonal, 0), "/home/me/Documents");
}

TEST(AppInfoTest, VersionTextIsPlainDecimal) {
  EXPECT_EQ(VersionText(), "Tovalin Version 1.1.116");
  EXPECT_EQ(VersionText(1, 10, 5), "Tovalin Version 1.10.5");
}

}  // namespace
}  // namespace tovalin::testing
