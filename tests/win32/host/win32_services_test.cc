#include <gtest/gtest.h>

#include <string>

#include "host/win32/win32_class_registry.h"
#include "host/win32/win32_file_system.h"
#include "host/win32/win32_shell.h"

namespace tovalin::win32::testing {
namespace {

TEST(Win32ShellTest, FindsTheDocumentsFolder) {
  Win32Shell shell;
  const std::optional<std::string> documents = shell.SpecialFolderLocation(kCsidlPersonal, 0);
  ASSERT_TRUE(documents.has_value());
  EXPECT_TRUE(Win32FileSystem().IsDirectory(*documents)) << *documents;
  // A code the shell does not know.
  EXPECT_EQ(shell.SpecialFolderLocation(0x7FFF, 0), std::nullopt);
}

TEST(Win32ClassRegistryTest, LooksDirectlyUnderTheClassRoot) {
  Win32ClassRegistry registry;
  EXPECT_TRUE(registry.KeyExists("CLSID"));
  EXPECT_TRUE(registry.KeyExists("clsid"));
  EXPECT_FALSE(registry.KeyExists("Tovalin.NoSuchClass.1"));
  EXPECT_FALSE(registry.KeyExists(std::string("CLSID\0x", 7)));
}

}  // namespace
}  // namespace tovalin::win32::testing
