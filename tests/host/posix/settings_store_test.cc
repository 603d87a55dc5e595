// The settings file: values kept exactly, atomic saves, damaged files read as missing values.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "host/host_error.h"
#include "host/posix/posix_settings_store.h"
#include "host/posix/settings_text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace tovalin::testing {
namespace {

constexpr char kApp[] = "Export Forms to Visual Basic";

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::string File() const { return folder_.Path("config/tovalin/settings.ini"); }
  std::string Get(PosixSettingsStore& store, const std::string& key) {
    return store.GetSetting(kApp, "Options", key, "<default>");
  }
  TempFolder folder_;
  RecordingWarnings warnings_;
};

TEST_F(SettingsStoreTest, KeepsValuesExactlyAcrossStoresAndKeys) {
  PosixSettingsStore store(File(), warnings_);
  EXPECT_EQ(Get(store, "Target Folder"), "<default>");  // no file yet: no warning
  const std::string odd = " /a b/\\x41=[x]\n\r\t;#ü ";
  store.SaveSetting(kApp, "Options", "Target Folder", odd);
  store.SaveSetting(kApp, "Options", "Overwrite without prompt", "1");
  store.SaveSetting("Other/App", "Sec=tion", "Key]", "v");
  store.SaveSetting(kApp, "options", "TARGET FOLDER", "/b/");  // names ignore case

  PosixSettingsStore again(File(), warnings_);
  EXPECT_EQ(Get(again, "Target Folder"), "/b/");
  EXPECT_EQ(Get(again, "Overwrite without prompt"), "1");
  EXPECT_EQ(again.GetSetting("Other/App", "Sec=tion", "Key]", ""), "v");
  again.SaveSetting(kApp, "Options", "Target Folder", odd);
  EXPECT_EQ(Get(again, "Target Folder"), odd);
  EXPECT_TRUE(warnings_.warnings.empty());

  const std::string text = ReadFileBytes(File());
  EXPECT_NE(text.find("[Export Forms to Visual Basic/Options]\nTarget Folder="), std::string::npos)
      << text;
  // Only the settings file and its lock are left in the folder: no temporary files.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path("config/tovalin"))) {
    EXPECT_TRUE(entry.path().filename() == "settings.ini" ||
                entry.path().filename() == "settings.ini.lock")
        << entry.path();
    ++entries;
  }
  EXPECT_EQ(entries, 2);
}

TEST_F(SettingsStoreTest, ADamagedFileIsReadAsMissingValuesAndKeptAtTheNextSave) {
  std::filesystem::create_directories(folder_.Path("config/tovalin"));
  for (const std::string& damaged :
       {std::string("[Export Forms to Visual Basic/Options]\nTarget Folder=/x/\ngarbage\n"),
        std::string("Target Folder=/x/\n"),
        std::string("[Export Forms to Visual Basic/Options]\nTarget Folder=\\xZZ\n"),
        std::string("[no slash]\n"),
        // many keys: read as damage rather than slowly
        "[Export Forms to Visual Basic/Options]\n" +
            [] {
              std::string keys;
              for (int i = 0; i < 5000; ++i) keys += "k" + std::to_string(i) + "=1\n";
              return keys;
            }(),
        std::string(kMaxSettingsBytes + 1, ';')}) {
    WriteFileBytes(File(), damaged);
    RecordingWarnings warnings;
    PosixSettingsStore store(File(), warnings);
    EXPECT_EQ(Get(store, "Target Folder"), "<default>");
    EXPECT_EQ(Get(store, "Overwrite without prompt"), "<default>");
    ASSERT_EQ(warnings.warnings.size(), 1u) << damaged.substr(0, 40);  // once per store
    EXPECT_EQ(warnings.warnings[0].rfind(File() + ": ", 0), 0u) << warnings.warnings[0];
  }

  PosixSettingsStore store(File(), warnings_);
  store.SaveSetting(kApp, "Options", "Target Folder", "/new/");
  EXPECT_EQ(Get(store, "Target Folder"), "/new/");
  EXPECT_EQ(ReadFileBytes(File() + ".damaged"), std::string(kMaxSettingsBytes + 1, ';'));
}

TEST_F(SettingsStoreTest, AFailedSaveThrowsAndLeavesTheFileAsItWas) {
  PosixSettingsStore store(File(), warnings_);
  store.SaveSetting(kApp, "Options", "Target Folder", "/kept/");
  if (::geteuid() != 0) {  // root writes into read-only folders
    ::chmod(folder_.Path("config/tovalin").c_str(), 0500);
    EXPECT_THROW(store.SaveSetting(kApp, "Options", "Target Folder", "/lost/"), HostError);
    ::chmod(folder_.Path("config/tovalin").c_str(), 0700);
  }
  // A folder where the settings folder should be cannot be written into.
  PosixSettingsStore blocked(folder_.Path("config/tovalin/settings.ini/inner.ini"), warnings_);
  try {
    blocked.SaveSetting(kApp, "Options", "Target Folder", "/lost/");
    ADD_FAILURE() << "saved under a file";
  } catch (const HostError& e) {
    EXPECT_EQ(e.number(), kErrPathNotFound) << e.description();
    EXPECT_NE(e.description().find("inner.ini"), std::string::npos) << e.description();
  }
  EXPECT_EQ(Get(store, "Target Folder"), "/kept/");

  PosixSettingsStore nowhere("", warnings_);
  EXPECT_EQ(Get(nowhere, "Target Folder"), "<default>");
  EXPECT_THROW(nowhere.SaveSetting(kApp, "Options", "Target Folder", "/x/"), HostError);
}

TEST_F(SettingsStoreTest, ASaveThroughALinkKeepsTheLink) {
  std::filesystem::create_directories(folder_.Path("config/tovalin"));
  std::filesystem::create_directories(folder_.Path("dotfiles"));
  WriteFileBytes(folder_.Path("dotfiles/settings.ini"), "");
  std::filesystem::create_symlink(folder_.Path("dotfiles/settings.ini"), File());
  PosixSettingsStore store(File(), warnings_);
  store.SaveSetting(kApp, "Options", "Overwrite without prompt", "0");
  EXPECT_TRUE(std::filesystem::is_symlink(File()));
  EXPECT_NE(ReadFileBytes(folder_.Path("dotfiles/settings.ini")).find("=0"), std::string::npos);
}

}  // namespace
}  // namespace tovalin::testing
