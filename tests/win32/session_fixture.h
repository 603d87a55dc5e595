// The fixture of the tests that run the add-in in an editor session: the module registered as an
// installation leaves it, the export dialog's remembered options cleared for the test (and put
// back afterwards), and the helpers that find and drive the add-in's dialogs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "add_in_session.h"
#include "registered_add_in.h"
#include "registry_tree.h"

namespace tovalin::win32::testing {

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A session over the description, with the add-in created and connected; null (and the test
  // failed) when that does not succeed.
  std::unique_ptr<AddInSession> Connect(const std::filesystem::path& description);
  std::unique_ptr<AddInSession> ConnectJson(const std::string& description);

 private:
  std::unique_ptr<AddInSession> Connected(std::unique_ptr<AddInSession> session);

  std::unique_ptr<RegisteredAddIn> registered_;
  std::unique_ptr<SavedKeyTree> settings_;
};

// A remembered option of the export dialog; nullopt when it is not stored.
std::optional<std::wstring> SavedOption(const std::wstring& name);

// The add-in's windows, waited for with the driver's time limit.
HWND WaitForExportDialog();
HWND WaitForOverwriteQuestion();
HWND WaitForAboutBox();

// Selects exactly the list items `indexes` of the export dialog, one change at a time.
void SelectOnly(HWND dialog, const std::vector<int>& indexes);

// Saves a picture of the window under the build folder as `file_name` and checks that it shows
// more than a blank area.
void TakeScreenshot(HWND window, const std::string& file_name);

}  // namespace tovalin::win32::testing
