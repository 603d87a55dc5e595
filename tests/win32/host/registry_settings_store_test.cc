#include "host/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_dispatch.h"
#include "host/host_error.h"

namespace tovalin::win32::testing {
namespace {

// Each test keeps its settings under a key of its own in HKEY_CURRENT_USER, removed afterwards.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  RegistrySettingsStoreTest()
      : base_(L"Software\\Tovalin Tests\\Settings " + std::to_wstring(GetCurrentProcessId())),
        store_(HKEY_CURRENT_USER, base_) {}
  ~RegistrySettingsStoreTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str()); }

  // Writes a raw value beside the store's own.
  void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base_ + L"\\App\\Options").c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  std::wstring base_;
  RegistrySettingsStore store_;
};

TEST_F(RegistrySettingsStoreTest, SavesAndReadsTexts) {
  EXPECT_EQ(store_.GetSetting("App", "Options", "Target Folder", "none"), "none");
  store_.SaveSetting("App", "Options", "Target Folder", "C:\\Users\\J\u00fcrgen\\\u6587\u66f8\\");
  EXPECT_EQ(store_.GetSetting("App", "Options", "Target Folder", "none"),
            "C:\\Users\\J\u00fcrgen\\\u6587\u66f8\\");
  store_.SaveSetting("App", "Options", "Target Folder", "");
  EXPECT_EQ(store_.GetSetting("App", "Options", "Target Folder", "none"), "");
  // Sections and keys are separate.
  EXPECT_EQ(store_.GetSetting("App", "Other", "Target Folder", "none"), "none");
  EXPECT_EQ(store_.GetSetting("App", "Options", "Overwrite without prompt", "0"), "0");

  // Where the runtime keeps it: app and section as nested keys, the key as a REG_SZ value.
  wchar_t data[16] = {};
  DWORD size = sizeof(data);
  store_.SaveSetting("App", "Options", "Overwrite without prompt", "1");
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (base_ + L"\\App\\Options").c_str(),
                         L"Overwrite without prompt", RRF_RT_REG_SZ, nullptr, data, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(data, L"1");
}

TEST_F(RegistrySettingsStoreTest, ReadsOnlyStrings) {
  const DWORD number = 1;
  SetRaw(L"Number", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(store_.GetSetting("App", "Options", "Number", "default"), "default");
  // Data without its terminating NUL, of an odd length, or with text after a NUL.
  SetRaw(L"Bare", REG_SZ, L"abc", 3 * sizeof(wchar_t));
  EXPECT_EQ(store_.GetSetting("App", "Options", "Bare", ""), "abc");
  SetRaw(L"Odd", REG_SZ, L"abc", 5);
  EXPECT_EQ(store_.GetSetting("App", "Options", "Odd", ""), "ab");
  SetRaw(L"Cut", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));
  EXPECT_EQ(store_.GetSetting("App", "Options", "Cut", ""), "ab");
}

TEST_F(RegistrySettingsStoreTest, RefusesUnusableNames) {
  for (const std::string& name : {std::string(), std::string("a\0b", 3)}) {
    EXPECT_EQ(store_.GetSetting(name, "Options", "Key", "default"), "default");
    EXPECT_EQ(store_.GetSetting("App", "Options", name, "default"), "default");
    EXPECT_EQ(ThrownBy([&] { store_.SaveSetting("App", name, "Key", "value"); }).number(),
              kErrInvalidCall);
  }
}

}  // namespace
}  // namespace tovalin::win32::testing
