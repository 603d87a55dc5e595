// The documents folder and the config home of the XDG conventions, and links opened by the
// platform's opener.
#include "host/posix/xdg_dirs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "host/posix/posix_shell.h"
#include "support/temp_folder.h"

namespace tovalin::testing {
namespace {

TEST(XdgDirsTest, ConfigHomeIsAnAbsoluteXdgConfigHomeElseTheHomesConfig) {
  EXPECT_EQ(ConfigHome({"/home/me", ""}), "/home/me/.config");
  EXPECT_EQ(ConfigHome({"/home/me", "/etc/me/"}), "/etc/me");
  EXPECT_EQ(ConfigHome({"/home/me", "relative"}), "/home/me/.config");
  EXPECT_EQ(ConfigHome({"", ""}), "");
}

TEST(XdgDirsTest, ReadsTheDocumentsDirectoryAsTheShellWould) {
  const std::string home = "/home/me";
  EXPECT_EQ(UserDirFromText("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "DOCUMENTS", home),
            "/home/me/Docs");
  EXPECT_EQ(UserDirFromText("# XDG_DOCUMENTS_DIR=\"/no\"\n  XDG_DOCUMENTS_DIR=\"/abs/d\\\"q\"",
                            "DOCUMENTS", home),
            "/abs/d\"q");
  EXPECT_EQ(UserDirFromText("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "DOCUMENTS", home), "");
  EXPECT_EQ(UserDirFromText("XDG_DOCUMENTS_DIR=\"relative\"\n", "DOCUMENTS", home), "");
  EXPECT_EQ(UserDirFromText("XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"\n", "DOCUMENTS", home), "");
  EXPECT_EQ(UserDirFromText("XDG_DOCUMENTS_DIR=\"/open\n", "DOCUMENTS", home), "");
  // The last assignment counts.
  EXPECT_EQ(
      UserDirFromText("XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"/b\"\n", "DOCUMENTS", home),
      "/b");
}

TEST(XdgDirsTest, DocumentsFolderFallsBackToHomeDocumentsThenNothing) {
  TempFolder home;
  const XdgEnvironment env{home.path().string(), ""};
  EXPECT_EQ(DocumentsFolder(env), "");
  std::filesystem::create_directories(home.Path("Documents"));
  EXPECT_EQ(DocumentsFolder(env), home.Path("Documents"));

  std::filesystem::create_directories(home.Path(".config"));
  WriteFileBytes(home.Path(".config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(DocumentsFolder(env), home.Path("Documents"));  // named, but not there
  std::filesystem::create_directories(home.Path("Dokumente"));
  EXPECT_EQ(DocumentsFolder(env), home.Path("Dokumente"));
  WriteFileBytes(home.Path(".config/user-dirs.dirs"), "XDG_DOCUMENTS_DIR=\"$HOME/\"\n");
  EXPECT_EQ(DocumentsFolder(env), home.Path("Documents"));  // set to the home: disabled
}

TEST(PosixShellTest, OpensLinksWithTheOpenerAndIsSilentWithoutOne) {
  TempFolder folder;
  const std::string opener = folder.Path("opener");
  WriteFileBytes(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + folder.Path("opened") + "'\n");
  ::chmod(opener.c_str(), 0755);
  PosixShell shell({folder.path().string(), ""}, opener);
  shell.OpenLink(0, "mailto:tovalin@example.org");
  shell.OpenLink(0, "https://tovalin.example.org/");
  EXPECT_EQ(ReadFileBytes(folder.Path("opened")),
            "mailto:tovalin@example.org\nhttps://tovalin.example.org/\n");

  PosixShell without({folder.path().string(), ""}, folder.Path("no-such-opener"));
  without.OpenLink(0, "https://tovalin.example.org/");  // nothing happens, nothing is said
  EXPECT_EQ(without.SpecialFolderLocation(kCsidlPersonal, 0), std::nullopt);
  EXPECT_EQ(without.PickFolder(0, "/start", "Pick:"), std::nullopt);
}

}  // namespace
}  // namespace tovalin::testing
