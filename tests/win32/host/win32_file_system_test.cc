#include "host/win32/win32_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fake_dispatch.h"
#include "host/host_error.h"
#include "host/win32/utf16.h"

namespace tovalin::win32::testing {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  Win32FileSystemTest() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ =
        Utf16ToUtf8(temp) + "tovalin fs " + std::to_string(GetCurrentProcessId()) + " \u00e9\u6587";
    CreateDirectoryW(Utf8ToUtf16(folder_).c_str(), nullptr);
  }
  ~Win32FileSystemTest() override {
    for (const char* name : {"a.frm", "b.frm", "link.frm"}) {
      DeleteFileW(Utf8ToUtf16(Path(name)).c_str());
    }
    RemoveDirectoryW(Utf8ToUtf16(Path("sub")).c_str());
    RemoveDirectoryW(Utf8ToUtf16(folder_).c_str());
  }

  std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

  std::string Contents(const std::string& path) const {
    HANDLE file = CreateFileW(Utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
  }

  int32_t OpenError(const std::string& path) {
    return ThrownBy([&] { file_system_.OpenExclusive(path); }).number();
  }

  std::string folder_;
  Win32FileSystem file_system_;
};

TEST_F(Win32FileSystemTest, ReplacesTheFileAndHoldsItExclusively) {
  {
    auto stream = file_system_.OpenExclusive(Path("a.frm"));
    stream->Write("a much longer old content\r\n");
    stream->Close();
  }
  EXPECT_TRUE(file_system_.Exists(Path("a.frm")));
  EXPECT_FALSE(file_system_.IsDirectory(Path("a.frm")));
  auto stream = file_system_.OpenExclusive(Path("a.frm"));
  // While it is open nobody else may open it, not even to read.
  EXPECT_EQ(OpenError(Path("a.frm")), kErrPermissionDenied);
  EXPECT_EQ(Contents(Path("a.frm")), "<unreadable>");
  stream->Write("new\r\n");
  stream->Close();
  stream->Close();  // harmless
  EXPECT_EQ(Contents(Path("a.frm")), "new\r\n");
}

TEST_F(Win32FileSystemTest, ReportsTheRuntimesFileErrors) {
  EXPECT_EQ(OpenError(Path("missing\\a.frm")), kErrPathNotFound);
  EXPECT_FALSE(file_system_.Exists(Path("missing\\a.frm")));
  ASSERT_TRUE(CreateDirectoryW(Utf8ToUtf16(Path("sub")).c_str(), nullptr));
  EXPECT_TRUE(file_system_.IsDirectory(Path("sub")));
  EXPECT_EQ(OpenError(Path("sub")), kErrPathFileAccess);
  EXPECT_EQ(OpenError(""), kErrBadFileName);
  EXPECT_EQ(OpenError(Path("a.frm") + std::string("\0x", 2)), kErrBadFileName);
  EXPECT_FALSE(file_system_.Exists(folder_ + std::string("\0", 1)));
  // A device is no file to write a form into.
  EXPECT_EQ(OpenError("NUL"), kErrPathFileAccess);
}

TEST_F(Win32FileSystemTest, ReplacesAHardLinkInsteadOfWritingThroughIt) {
  {
    auto stream = file_system_.OpenExclusive(Path("a.frm"));
    stream->Write("shared");
    stream->Close();
  }
  if (!CreateHardLinkW(Utf8ToUtf16(Path("b.frm")).c_str(), Utf8ToUtf16(Path("a.frm")).c_str(),
                       nullptr)) {
    GTEST_SKIP() << "no hard links here";
  }
  auto stream = file_system_.OpenExclusive(Path("b.frm"));
  stream->Write("own");
  stream->Close();
  EXPECT_EQ(Contents(Path("b.frm")), "own");
  EXPECT_EQ(Contents(Path("a.frm")), "shared");
}

}  // namespace
}  // namespace tovalin::win32::testing
