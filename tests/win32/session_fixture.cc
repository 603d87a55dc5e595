#include "session_fixture.h"

#include <exception>
#include <thread>

#include "add_in_identity.h"
#include "dialogs/win32/dialog_ids.h"
#include "harness_support.h"
#include "screenshot.h"
#include "window_driver.h"

namespace tovalin::win32::testing {
namespace {

const std::wstring kQuestionStart = L"The following file already exists:";

}  // namespace

void SessionTest::SetUp() {
  try {
    registered_ = std::make_unique<RegisteredAddIn>();
  } catch (const std::exception& error) {
    FAIL() << error.what();
  }
  settings_ = std::make_unique<SavedKeyTree>(HKEY_CURRENT_USER, kSettingsApplication);
}

void SessionTest::TearDown() {
  settings_.reset();
  registered_.reset();
}

std::unique_ptr<AddInSession> SessionTest::Connect(const std::filesystem::path& description) {
  try {
    return Connected(AddInSession::FromFile(description));
  } catch (const std::exception& error) {
    ADD_FAILURE() << error.what();
    return nullptr;
  }
}

std::unique_ptr<AddInSession> SessionTest::ConnectJson(const std::string& description) {
  try {
    return Connected(AddInSession::FromJson(description));
  } catch (const std::exception& error) {
    ADD_FAILURE() << error.what();
    return nullptr;
  }
}

std::unique_ptr<AddInSession> SessionTest::Connected(std::unique_ptr<AddInSession> session) {
  const HRESULT created = session->Create();
  if (created != S_OK) {
    ADD_FAILURE() << "creating " << Narrow(kProgId) << " failed with " << std::hex << created;
    return nullptr;
  }
  const HRESULT connected = session->Connect();
  if (connected != S_OK) {
    ADD_FAILURE() << "OnConnection failed with " << std::hex << connected;
    return nullptr;
  }
  return session;
}

std::optional<std::wstring> SavedOption(const std::wstring& name) {
  return ReadString(HKEY_CURRENT_USER, kSettingsOptions, name);
}

HWND WaitForExportDialog() {
  return WaitForDialog(kTitle, "the export dialog", [](HWND dialog) {
    return !IsMessageBox(dialog) && GetDlgItem(dialog, IDC_FORMS_LIST) != nullptr;
  });
}

HWND WaitForOverwriteQuestion() {
  return WaitForDialog(kTitle, "the overwrite question", [](HWND dialog) {
    return IsMessageBox(dialog) &&
           ControlText(dialog, kMessageBoxTextId).rfind(kQuestionStart, 0) == 0;
  });
}

HWND WaitForAboutBox() {
  return WaitForDialog(L"About", "the About box", [](HWND dialog) {
    return GetDlgItem(dialog, IDC_VERSION_LABEL) != nullptr;
  });
}

void SelectOnly(HWND dialog, const std::vector<int>& indexes) {
  const size_t count = ListItems(dialog, IDC_FORMS_LIST).size();
  for (size_t index = 0; index < count; ++index) {
    bool wanted = false;
    for (int selected : indexes) wanted = wanted || selected == static_cast<int>(index);
    SetListSelection(dialog, IDC_FORMS_LIST, static_cast<int>(index), wanted);
  }
}

void TakeScreenshot(HWND window, const std::string& file_name) {
  // Let the window finish painting before it is copied from the screen.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  try {
    const Screenshot shot = SaveScreenshot(window, OutputFolder() / Widen(file_name));
    EXPECT_GT(shot.colours, 2u) << file_name << " shows a blank area";
  } catch (const std::exception& error) {
    ADD_FAILURE() << file_name << ": " << error.what();
  }
}

}  // namespace tovalin::win32::testing
