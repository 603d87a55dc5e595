// The export dialog that the add-in's command opens, driven as a user drives it: the files it
// writes (byte for byte the Linux build's golden exports), the options it remembers, the
// overwrite question, Cancel and the About box. Screenshots of the three windows are left in the
// build folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "add_in_identity.h"
#include "common/app_info.h"
#include "dialogs/win32/dialog_ids.h"
#include "harness_support.h"
#include "registry_tree.h"
#include "session_fixture.h"
#include "window_driver.h"

namespace tovalin::win32::testing {
namespace {

// Fills in the dialog and presses OK.
void ExportSelection(HWND dialog, const std::vector<int>& forms, const std::wstring& folder,
                     bool overwrite) {
  SelectOnly(dialog, forms);
  SetControlText(dialog, IDC_FOLDER_TEXT, folder);
  SetCheck(dialog, IDC_OVERWRITE, overwrite ? BST_CHECKED : BST_UNCHECKED);
  ClickButton(dialog, IDOK);
}

std::string Golden(const std::string& form) {
  return ReadFileBytes(GoldenFolder() / Widen(form + ".frm"));
}

// A project of two forms, frmNested then frmBare, from the two golden descriptions.
std::string TwoFormDescription() {
  nlohmann::json nested = nlohmann::json::parse(ReadFileBytes(GoldenFolder() / "nested.json"));
  const nlohmann::json bare = nlohmann::json::parse(ReadFileBytes(GoldenFolder() / "bare.json"));
  nested["activeProject"]["components"].push_back(bare["activeProject"]["components"][0]);
  return nested.dump();
}

struct GoldenCase {
  const char* description;
  const char* form;
  // Keys the form's ActiveX controls need directly under the class root.
  std::vector<std::wstring> registered_classes;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) { *out << golden.description; }

class GoldenExportTest : public SessionTest, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenExportTest, WritesTheFormAsTheLinuxBuildDoesAndRemembersTheOptions) {
  // The class root the add-in reads: the per-user classes on Windows; Wine's class root is the
  // machine's classes only.
  const HKEY class_root = RunningUnderWine() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  ScopedKeyRemoval created_classes;
  for (const std::wstring& name : GetParam().registered_classes) {
    const std::wstring key = L"Software\\Classes\\" + name;
    if (KeyExists(class_root, key)) continue;
    CreateKey(class_root, key);
    created_classes.Add(class_root, key);
  }
  auto session = Connect(GoldenFolder() / GetParam().description);
  ASSERT_NE(session, nullptr);
  TempFolder output;

  const std::wstring form = Widen(GetParam().form);
  const std::string failure =
      RunWithScript([&] { session->ChooseCommand(); },
                    [&] {
                      HWND dialog = WaitForExportDialog();
                      // The project's one form is listed and selected, so OK is enabled.
                      EXPECT_EQ(ListItems(dialog, IDC_FORMS_LIST), std::vector<std::wstring>{form});
                      EXPECT_EQ(ListSelection(dialog, IDC_FORMS_LIST), std::vector<bool>{true});
                      EXPECT_TRUE(IsControlEnabled(dialog, IDOK));
                      ExportSelection(dialog, {0}, output.Text(), true);
                      WaitUntilClosed(dialog, "the export dialog");
                    });
  ASSERT_EQ(failure, "");

  EXPECT_EQ(output.FileNames(), std::vector<std::string>{std::string(GetParam().form) + ".frm"});
  EXPECT_EQ(ReadFileBytes(output.path() / (form + L".frm")), Golden(GetParam().form));
  EXPECT_EQ(SavedOption(L"Target Folder"), output.Text() + L"\\");
  EXPECT_EQ(SavedOption(L"Overwrite without prompt"), L"1");
  EXPECT_EQ(session->Disconnect(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GoldenExportTest,
    ::testing::Values(
        GoldenCase{"bare.json", "frmBare", {}}, GoldenCase{"all_types.json", "frmAll", {}},
        GoldenCase{"nested.json", "frmNested", {}},
        // Broken.Gauge is registered, but its reference is broken: the Gauge
        // control falls back as if it were unregistered.
        GoldenCase{"activex.json", "frmActiveX", {L"MSComctlLib.ProgressBar", L"Broken.Gauge"}}),
    [](const auto& test_case) { return std::string(test_case.param.form); });

using ExportDialogTest = SessionTest;

TEST_F(ExportDialogTest, ExportsOnlyTheSelectedFormsAndOkFollowsTheSelection) {
  auto session = ConnectJson(TwoFormDescription());
  ASSERT_NE(session, nullptr);
  TempFolder output;
  const std::string failure =
      RunWithScript([&] { session->ChooseCommand(); },
                    [&] {
                      HWND dialog = WaitForExportDialog();
                      EXPECT_EQ(ListItems(dialog, IDC_FORMS_LIST),
                                (std::vector<std::wstring>{L"frmNested", L"frmBare"}));
                      // Nothing selected: OK is disabled until a form is selected again.
                      SelectOnly(dialog, {});
                      EXPECT_FALSE(IsControlEnabled(dialog, IDOK));
                      ExportSelection(dialog, {1}, output.Text() + L"\\", true);
                      WaitUntilClosed(dialog, "the export dialog");
                    });
  ASSERT_EQ(failure, "");
  EXPECT_EQ(output.FileNames(), std::vector<std::string>{"frmBare.frm"});
  EXPECT_EQ(ReadFileBytes(output.path() / L"frmBare.frm"), Golden("frmBare"));
  // A folder that ends in "\" is kept as it is.
  EXPECT_EQ(SavedOption(L"Target Folder"), output.Text() + L"\\");
}

TEST_F(ExportDialogTest, CancelWritesNothingAndRemembersNothing) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);
  TempFolder output;
  const std::string failure =
      RunWithScript([&] { session->ChooseCommand(); },
                    [&] {
                      HWND dialog = WaitForExportDialog();
                      SetControlText(dialog, IDC_FOLDER_TEXT, output.Text());
                      SetCheck(dialog, IDC_OVERWRITE, BST_CHECKED);
                      ClickButton(dialog, IDCANCEL);
                      WaitUntilClosed(dialog, "the export dialog");
                    });
  ASSERT_EQ(failure, "");
  EXPECT_TRUE(output.FileNames().empty());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsApplication));
}

TEST_F(ExportDialogTest, TheNextDialogShowsTheRememberedOptions) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);
  TempFolder output;
  std::string failure = RunWithScript([&] { session->ChooseCommand(); },
                                      [&] {
                                        HWND dialog = WaitForExportDialog();
                                        ExportSelection(dialog, {0}, output.Text(), true);
                                        WaitUntilClosed(dialog, "the export dialog");
                                      });
  ASSERT_EQ(failure, "");
  // A second choice of the command opens a new dialog with the folder and the box as saved.
  failure = RunWithScript([&] { session->ChooseCommand(); },
                          [&] {
                            HWND dialog = WaitForExportDialog();
                            EXPECT_EQ(ControlText(dialog, IDC_FOLDER_TEXT), output.Text() + L"\\");
                            EXPECT_EQ(CheckState(dialog, IDC_OVERWRITE), BST_CHECKED);
                            ClickButton(dialog, IDCANCEL);
                            WaitUntilClosed(dialog, "the export dialog");
                          });
  EXPECT_EQ(failure, "");
}

// The answer to the overwrite question for frmNested, which exists already; frmBare does not.
struct OverwriteCase {
  const char* name;
  int answer;
  bool nested_replaced;
  // Cancel ends the batch: frmBare, which comes next, is not exported.
  bool bare_written;
};

void PrintTo(const OverwriteCase& answer, std::ostream* out) { *out << answer.name; }

class OverwriteQuestionTest : public SessionTest,
                              public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteQuestionTest, AsksBeforeReplacingAFileAndFollowsTheAnswer) {
  auto session = ConnectJson(TwoFormDescription());
  ASSERT_NE(session, nullptr);
  TempFolder output;
  const std::string old_text = "an earlier export\r\n";
  WriteFileBytes(output.path() / L"frmNested.frm", old_text);

  const std::string failure =
      RunWithScript([&] { session->ChooseCommand(); },
                    [&] {
                      HWND dialog = WaitForExportDialog();
                      ExportSelection(dialog, {0, 1}, output.Text(), false);
                      HWND question = WaitForOverwriteQuestion();
                      EXPECT_EQ(ControlText(question, kMessageBoxTextId),
                                L"The following file already exists:\r\n" + output.Text() +
                                    L"\\frmNested.frm\r\n\r\nDo you want to overwrite it?");
                      EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
                      EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
                      EXPECT_NE(GetDlgItem(question, IDCANCEL), nullptr);
                      if (GetParam().answer == IDYES)
                        TakeScreenshot(question, "overwrite_question.bmp");
                      ClickButton(question, GetParam().answer);
                      WaitUntilClosed(question, "the overwrite question");
                      WaitUntilClosed(dialog, "the export dialog");
                    });
  ASSERT_EQ(failure, "");

  EXPECT_EQ(ReadFileBytes(output.path() / L"frmNested.frm"),
            GetParam().nested_replaced ? Golden("frmNested") : old_text);
  if (GetParam().bare_written) {
    EXPECT_EQ(ReadFileBytes(output.path() / L"frmBare.frm"), Golden("frmBare"));
  } else {
    EXPECT_EQ(output.FileNames(), std::vector<std::string>{"frmNested.frm"});
  }
  EXPECT_EQ(SavedOption(L"Overwrite without prompt"), L"0");
}

INSTANTIATE_TEST_SUITE_P(Answers, OverwriteQuestionTest,
                         ::testing::Values(OverwriteCase{"Yes", IDYES, true, true},
                                           OverwriteCase{"No", IDNO, false, true},
                                           OverwriteCase{"Cancel", IDCANCEL, false, false}),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(ExportDialogTest, AboutOpensTheAboutBoxOverTheDialogUntilItsCloseButton) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);
  const std::string failure =
      RunWithScript([&] { session->ChooseCommand(); },
                    [&] {
                      HWND dialog = WaitForExportDialog();
                      TakeScreenshot(dialog, "choose_form.bmp");
                      ClickButton(dialog, IDC_ABOUT_BUTTON);
                      HWND about = WaitForAboutBox();
                      EXPECT_EQ(ControlText(about, IDC_VERSION_LABEL), L"Tovalin Version 1.1.116");
                      EXPECT_EQ(ControlText(about, IDC_APP_NAME_LABEL), Widen(kProductDescription));
                      EXPECT_EQ(ControlText(about, IDC_COPYRIGHT_LABEL), Widen(kCopyright));
                      EXPECT_EQ(ControlText(about, IDC_EMAIL_LABEL), Widen(kMakerEmail));
                      EXPECT_EQ(ControlText(about, IDC_WWW_LABEL), Widen(kMakerWebAddress));
                      EXPECT_EQ(ControlText(about, IDC_CLOSE_BUTTON), L"Close");
                      // Modal: the export dialog takes no input while the About box is open.
                      EXPECT_FALSE(IsWindowEnabled(dialog));
                      TakeScreenshot(about, "about_form.bmp");
                      ClickButton(about, IDC_CLOSE_BUTTON);
                      WaitUntilClosed(about, "the About box");
                      // The export dialog stays open beneath it.
                      EXPECT_TRUE(IsWindow(dialog));
                      EXPECT_TRUE(IsWindowEnabled(dialog));
                      ClickButton(dialog, IDCANCEL);
                      WaitUntilClosed(dialog, "the export dialog");
                    });
  EXPECT_EQ(failure, "");
}

}  // namespace
}  // namespace tovalin::win32::testing
