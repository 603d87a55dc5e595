#include "host/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "host/host_error.h"
#include "support/temp_folder.h"

namespace tovalin {
namespace {

using testing::ReadFileBytes;

int OpenError(const std::string& path) {
  try {
    PosixFileSystem().OpenExclusive(path);
  } catch (const HostError& e) {
    return e.number();
  }
  return 0;
}

TEST(PosixFileSystemTest, MapsOpenFailuresAndCreatesNothing) {
  testing::TempFolder dir;
  testing::WriteFileBytes(dir.Path("f"), "keep");
  ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0600), 0);

  EXPECT_EQ(OpenError(dir.Path("missing/x.frm")), kErrPathNotFound);
  EXPECT_EQ(OpenError(dir.Path("f/x.frm")), kErrPathNotFound);
  EXPECT_EQ(OpenError(dir.Path("")), kErrPathFileAccess);
  EXPECT_EQ(OpenError("/dev/null"), kErrPathFileAccess);
  EXPECT_EQ(OpenError(dir.Path("fifo")), kErrPathFileAccess);  // without hanging
  EXPECT_EQ(OpenError(dir.Path(std::string(300, 'n'))), kErrPathFileAccess);
  if (geteuid() != 0) {  // root may write anything
    ASSERT_EQ(chmod(dir.Path("f").c_str(), 0444), 0);
    EXPECT_EQ(OpenError(dir.Path("f")), kErrPermissionDenied);
  }
  EXPECT_EQ(ReadFileBytes(dir.Path("f")), "keep");
}

TEST(PosixFileSystemTest, ReplacesLinksByNewFilesAndLeavesTheirOtherNamesAlone) {
  testing::TempFolder dir;
  testing::WriteFileBytes(dir.Path("target"), "outside");
  std::filesystem::create_symlink(dir.Path("target"), dir.Path("link.frm"));
  std::filesystem::create_symlink(dir.Path("gone"), dir.Path("dangling.frm"));
  testing::WriteFileBytes(dir.Path("shared"), "other name");
  std::filesystem::create_hard_link(dir.Path("shared"), dir.Path("hard.frm"));

  PosixFileSystem files;
  for (const char* name : {"link.frm", "dangling.frm", "hard.frm"}) {
    files.OpenExclusive(dir.Path(name))->Write("new");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.Path(name))) << name;
    EXPECT_EQ(ReadFileBytes(dir.Path(name)), "new") << name;
  }
  EXPECT_EQ(ReadFileBytes(dir.Path("target")), "outside");
  EXPECT_EQ(ReadFileBytes(dir.Path("shared")), "other name");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("gone")));
}

TEST(PosixFileSystemTest, LockedFileIsRefusedUntouchedUntilReleased) {
  testing::TempFolder dir;
  const std::string path = dir.Path("f.frm");
  testing::WriteFileBytes(path, "old and longer");
  PosixFileSystem files;
  auto first = files.OpenExclusive(path);
  first->Write("mine");
  // Another open file description of the file stands for another process.
  EXPECT_EQ(OpenError(path), kErrPermissionDenied);
  EXPECT_EQ(ReadFileBytes(path), "mine");

  first.reset();  // released without Close
  auto second = files.OpenExclusive(path);
  const std::string big(1 << 20, 'b');
  second->Write(big);
  second->Close();
  second->Close();
  EXPECT_THROW(second->Write("x"), HostError);
  EXPECT_EQ(ReadFileBytes(path), big);
}

}  // namespace
}  // namespace tovalin
