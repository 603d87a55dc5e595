#include "output/file_class.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fakes.h"
#include "support/temp_folder.h"

namespace tovalin {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

class FileClassTest : public ::testing::Test {
 protected:
  std::string Export(std::initializer_list<std::string> lines, uint32_t code_page = 1252) {
    t_.runtime.output_code_page = code_page;
    FileClass file(t_.runtime);
    EXPECT_TRUE(file.CreateFile(path_));
    for (const std::string& line : lines) file.WriteLine(line);
    file.CloseFile();
    substituted_ = file.substituted_characters();
    return ReadFileBytes(path_);
  }
  void ExpectCreateFails(int number, const std::string& description, const std::string& path) {
    FileClass file(t_.runtime);
    EXPECT_FALSE(file.CreateFile(path));
    EXPECT_EQ(t_.runtime.err.number(), number);
    EXPECT_EQ(t_.runtime.err.description(), description);
    EXPECT_THROW(file.WriteLine("x"), HostError);
    file.CloseFile();
  }

  testing::TempFolder dir_;
  testing::TestRuntime t_;
  std::string path_ = dir_.Path("Form1.frm");
  size_t substituted_ = 0;
};

TEST_F(FileClassTest, ReplacesTheFileWithTheLinesVerbatimInTheCodePage) {
  WriteFileBytes(path_, std::string(1000, 'x'));
  EXPECT_EQ(Export({"VERSION 5.00", "", "Sub A()\r\nEnd Sub", "Gr\u00f6\u00dfe \u20ac \u65e5"}),
            "VERSION 5.00\r\n\r\nSub A()\r\nEnd Sub\r\nGr\xF6\xDF"
            "e \x80 ?\r\n");
  EXPECT_EQ(substituted_, 1u);
  EXPECT_EQ(Export({"\u041f\u0440\u0438\u0432\u0435\u0442"}, 1251), "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
}

TEST_F(FileClassTest, FailedCreateLeavesItsErrorCurrentAndFilesAlone) {
  ExpectCreateFails(76, "Path not found", dir_.Path("missing/Form1.frm"));
  EXPECT_FALSE(t_.files.Exists(dir_.Path("missing")));

  WriteFileBytes(path_, "old");
  t_.runtime.output_code_page = 1200;
  ExpectCreateFails(5, "Code page 1200 is not supported", path_);
  EXPECT_EQ(ReadFileBytes(path_), "old");
}

TEST_F(FileClassTest, ReleaseClosesAndUnlocks) {
  t_.runtime.err.Set(HostError(13));
  auto holder = std::make_unique<FileClass>(t_.runtime);
  ASSERT_TRUE(holder->CreateFile(path_));
  EXPECT_FALSE(t_.runtime.err.IsSet());
  holder->WriteLine("mine");
  ExpectCreateFails(70, "Permission denied", path_);
  EXPECT_EQ(ReadFileBytes(path_), "mine\r\n");
  holder.reset();
  FileClass file(t_.runtime);
  ASSERT_TRUE(file.CreateFile(path_));
  file.CloseFile();
  file.CloseFile();
  EXPECT_THROW(file.WriteLine("late"), HostError);
}

TEST(FileClassFailureTest, FirstFailureSticksWhileLaterLinesAreTried) {
  testing::FakeFileSystem files;
  testing::TestRuntime t;
  Runtime runtime{ErrorState{}, t.messages, files, t.classes, t.warnings, 1252};
  files.failing_writes = {3};
  files.close_error = HostError(kErrDeviceIo);

  FileClass file(runtime);
  ASSERT_TRUE(file.CreateFile("f"));
  for (const char* line : {"1", "2", "3", "4"}) RunStep(runtime.err, [&] { file.WriteLine(line); });
  EXPECT_THROW(file.CloseFile(), HostError);
  EXPECT_EQ(files.files["f"].bytes, "1\r\n2\r\n4\r\n");
  ASSERT_TRUE(file.write_failure());
  EXPECT_EQ(file.write_failure()->number(), 61);
  EXPECT_EQ(file.write_failure()->description(), "Disk full");

  // A new file starts a new record; a failed close alone sticks too, and release swallows it.
  ASSERT_TRUE(file.CreateFile("g"));
  EXPECT_FALSE(file.write_failure());
  EXPECT_THROW(file.CloseFile(), HostError);
  EXPECT_EQ(file.write_failure()->number(), 57);
  ASSERT_TRUE(file.CreateFile("h"));
}

TEST(FileClassFailureTest, RefusesLinesBeyondTheSizeLimit) {
  testing::FakeFileSystem files;
  testing::TestRuntime t;
  Runtime runtime{ErrorState{}, t.messages, files, t.classes, t.warnings, 1252};
  FileClass file(runtime);
  ASSERT_TRUE(file.CreateFile("f"));
  file.WriteLine("first");
  EXPECT_THROW(file.WriteLine(std::string(FileClass::kMaxFileBytes, 'x')), HostError);
  EXPECT_TRUE(file.limit_reached());
  EXPECT_EQ(files.files["f"].bytes, "first\r\n");
  EXPECT_EQ(file.write_failure()->description(), "The file would grow beyond 64 MB");
}

}  // namespace
}  // namespace tovalin
