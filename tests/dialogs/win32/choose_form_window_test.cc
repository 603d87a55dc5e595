// The export dialog's window: its template (captions, styles, tab order, layout), the view
// semantics the dialog's logic relies on, and the modal loop driven from a second thread the
// way a user, or the add-in's test harness, drives it.
#include "dialogs/win32/choose_form_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs/choose_form.h"
#include "dialogs/win32/dialog_ids.h"
#include "host/host_error.h"
#include "host/memory/memory_model.h"
#include "support/fake_platform.h"
#include "window_driver.h"

namespace tovalin::win32::testing {
namespace {

using tovalin::testing::FakeSettingsStore;
using tovalin::testing::FakeShell;

const std::wstring kTitle = L"Export Forms to Visual Basic";

// Records the owner window the dialog passes to the shell.
class OwnerRecordingShell : public FakeShell {
 public:
  std::optional<std::string> SpecialFolderLocation(int csidl, WindowHandle owner) override {
    owners.push_back(owner);
    return FakeShell::SpecialFolderLocation(csidl, owner);
  }
  std::optional<std::string> PickFolder(WindowHandle owner, const std::string& initial,
                                        const std::string& prompt) override {
    if (pick_error) throw *pick_error;
    return FakeShell::PickFolder(owner, initial, prompt);
  }
  std::vector<WindowHandle> owners;
  std::optional<HostError> pick_error;
};

class ChooseFormWindowTest : public ::testing::Test {
 protected:
  ChooseFormWindowTest() {
    vbe_->SetActiveProject(project_);
    shell_.documents = "C:\\Documents";
    test_.files.directories = {"C:\\Documents", "C:\\Out", "C:\\Out\\"};
  }

  std::shared_ptr<MemoryComponent> Add(const std::string& name, int32_t type = 3) {
    auto component = std::make_shared<MemoryComponent>(name, type);
    project_->AddComponent(component);
    return component;
  }
  void AddForms(std::initializer_list<const char*> names) {
    for (const char* name : names) Add(name);
  }
  // A new window and dialog, initialised on the editor.
  void Open() {
    dialog_.reset();
    window_ = std::make_unique<ChooseFormWindow>(GetModuleHandleW(nullptr));
    dialog_ = std::make_unique<ChooseForm>(*window_, test_.runtime, settings_, shell_);
    dialog_->Initialize(vbe_);
  }
  // Shows the dialog while `script` drives it from a second thread.
  void ShowWhile(const std::function<void(HWND)>& script) {
    const std::string failure = RunWithScript([&] { window_->ShowModal(*dialog_); },
                                              [&] { script(WaitForDialog(kTitle, "the dialog")); });
    EXPECT_EQ(failure, "");
  }
  HWND Item(int id) const { return GetDlgItem(window_->hwnd(), id); }
  std::vector<std::string> Opened() const { return test_.files.opened; }

  OwnerWindow owner_;
  TestRuntime test_;
  FakeSettingsStore settings_;
  OwnerRecordingShell shell_;
  std::shared_ptr<MemoryVbe> vbe_ = std::make_shared<MemoryVbe>();
  std::shared_ptr<MemoryProject> project_ = std::make_shared<MemoryProject>("P");
  std::unique_ptr<ChooseFormWindow> window_;
  std::unique_ptr<ChooseForm> dialog_;
};

// --- The template ---------------------------------------------------------------------------

TEST_F(ChooseFormWindowTest, TemplateHoldsTheCaptionsInTabOrderAndStaysHidden) {
  window_ = std::make_unique<ChooseFormWindow>(GetModuleHandleW(nullptr));
  HWND dialog = window_->hwnd();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(ClassNameOf(dialog), L"#32770");
  EXPECT_EQ(WindowText(dialog), L"");
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_.hwnd());
  EXPECT_EQ(window_->Window(), reinterpret_cast<WindowHandle>(dialog));

  const struct {
    int id;
    std::string_view caption;
  } controls[] = {{IDC_PROMPT_LABEL, kPromptLabelCaption},
                  {IDC_FORMS_LIST, ""},
                  {IDC_FOLDER_LABEL, kFolderLabelCaption},
                  {IDC_FOLDER_TEXT, ""},
                  {IDC_BROWSE, kBrowseCaption},
                  {IDC_OVERWRITE, kOverwriteCaption},
                  {IDOK, "OK"},
                  {IDCANCEL, "Cancel"},
                  {IDC_SELECT_ALL, kSelectAllCaption},
                  {IDC_UNSELECT_ALL, kUnselectAllCaption},
                  {IDC_ABOUT_BUTTON, kAboutButtonCaption}};
  std::vector<int> expected_order;
  for (const auto& control : controls) {
    expected_order.push_back(control.id);
    EXPECT_EQ(ControlText(dialog, control.id), Ascii(control.caption)) << "control " << control.id;
  }
  // Creation order is tab order, and a label's access key reaches the control after it.
  std::vector<int> order;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    order.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ(order, expected_order);
}

TEST_F(ChooseFormWindowTest, StylesMakeAFixedDialogWithAnExtendedSelectionList) {
  window_ = std::make_unique<ChooseFormWindow>(GetModuleHandleW(nullptr));
  HWND dialog = window_->hwnd();
  const auto style = [](HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); };
  const LONG_PTR dialog_style = style(dialog);
  const LONG_PTR dialog_ex_style = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
  EXPECT_EQ(dialog_style & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(dialog_style & WS_SYSMENU, 0);
  EXPECT_EQ(dialog_style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(dialog_ex_style & WS_EX_DLGMODALFRAME, 0);
  EXPECT_EQ(dialog_ex_style & WS_EX_APPWINDOW, 0);

  const LONG_PTR list = style(Item(IDC_FORMS_LIST));
  EXPECT_NE(list & LBS_EXTENDEDSEL, 0);
  EXPECT_NE(list & LBS_NOTIFY, 0);
  EXPECT_NE(list & LBS_NOINTEGRALHEIGHT, 0);
  EXPECT_EQ(list & (LBS_SORT | LBS_MULTIPLESEL), 0);
  EXPECT_EQ(style(Item(IDC_OVERWRITE)) & BS_TYPEMASK, BS_3STATE);
  EXPECT_NE(style(Item(IDC_FOLDER_TEXT)) & ES_AUTOHSCROLL, 0);
  const LRESULT default_id = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  EXPECT_EQ(HIWORD(default_id), DC_HASDEFID);
  EXPECT_EQ(LOWORD(default_id), IDOK);

  for (int id : {IDC_FORMS_LIST, IDC_FOLDER_TEXT, IDC_BROWSE, IDC_OVERWRITE, IDOK, IDCANCEL,
                 IDC_SELECT_ALL, IDC_UNSELECT_ALL, IDC_ABOUT_BUTTON}) {
    EXPECT_NE(style(Item(id)) & WS_TABSTOP, 0) << "control " << id;
  }
  for (int id : {IDC_PROMPT_LABEL, IDC_FOLDER_LABEL}) {
    EXPECT_EQ(style(Item(id)) & (WS_TABSTOP | SS_NOPREFIX), 0) << "label " << id;
  }
}

TEST_F(ChooseFormWindowTest, LayoutFollowsTheTwipsTable) {
  window_ = std::make_unique<ChooseFormWindow>(GetModuleHandleW(nullptr));
  HWND dialog = window_->hwnd();
  RECT client{};
  GetClientRect(dialog, &client);
  const FontScale scale = FontScaleOf(dialog);
  EXPECT_NEAR(client.right, Pixels(5970, scale.x), 2);
  EXPECT_NEAR(client.bottom, Pixels(6375, scale.y), 2);
  const TwipsRect layout[] = {{IDC_PROMPT_LABEL, 120, 120, 3975, 255},
                              {IDC_FORMS_LIST, 120, 480, 3975, 4350},
                              {IDC_FOLDER_LABEL, 120, 5040, 3975, 255},
                              {IDC_FOLDER_TEXT, 120, 5400, 3975, 375},
                              {IDC_BROWSE, 4440, 5400, 1215, 375},
                              {IDC_OVERWRITE, 120, 6000, 3975, 255},
                              {IDOK, 4440, 600, 1215, 375},
                              {IDCANCEL, 4440, 1200, 1215, 375},
                              {IDC_SELECT_ALL, 4440, 2160, 1215, 375},
                              {IDC_UNSELECT_ALL, 4440, 2760, 1215, 375},
                              {IDC_ABOUT_BUTTON, 4440, 4440, 1215, 375}};
  for (const TwipsRect& control : layout) {
    EXPECT_LE(PixelsOff(dialog, control), 2) << "control " << control.id;
  }
}

// --- The view -------------------------------------------------------------------------------

TEST_F(ChooseFormWindowTest, InitializeFillsTheHiddenWindowAndUsesItAsOwner) {
  AddForms({"frmA"});
  Add("Module1", kStandardModule);
  auto b = Add("frmB");
  AddForms({"frmC"});
  vbe_->SetSelectedComponent(b);
  settings_.SetOption("Overwrite without prompt", "2");
  Open();
  HWND dialog = window_->hwnd();
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(WindowText(dialog), kTitle);
  EXPECT_EQ(ListItems(dialog, IDC_FORMS_LIST),
            (std::vector<std::wstring>{L"frmA", L"frmB", L"frmC"}));
  EXPECT_EQ(ListSelection(dialog, IDC_FORMS_LIST), (std::vector<bool>{false, true, false}));
  EXPECT_TRUE(IsControlEnabled(dialog, IDOK));
  // No saved folder: the documents folder, looked up with the dialog's own window as owner.
  EXPECT_EQ(ControlText(dialog, IDC_FOLDER_TEXT), L"C:\\Documents");
  EXPECT_EQ(shell_.owners, std::vector<WindowHandle>{reinterpret_cast<WindowHandle>(dialog)});
  EXPECT_EQ(CheckState(dialog, IDC_OVERWRITE), BST_INDETERMINATE);
}

TEST_F(ChooseFormWindowTest, ListItemsAndSelectionGoThroughTheListBox) {
  Open();
  HWND dialog = window_->hwnd();
  EXPECT_FALSE(IsControlEnabled(dialog, IDOK));  // an empty project
  window_->AddItem("F\xC3\xB6rm_\xE6\x97\xA5\xE6\x9C\xAC");
  window_->AddItem("frmB");
  EXPECT_EQ(window_->ListCount(), 2);
  EXPECT_EQ(window_->ItemText(0), "F\xC3\xB6rm_\xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(ListItems(dialog, IDC_FORMS_LIST)[0], L"F\u00F6rm_\u65E5\u672C");

  // A change made by code raises the list's Click, and the dialog's OK button follows it.
  window_->SetSelected(1, true);
  EXPECT_TRUE(window_->Selected(1));
  EXPECT_FALSE(window_->Selected(0));
  EXPECT_EQ(window_->SelectedCount(), 1);
  EXPECT_TRUE(IsControlEnabled(dialog, IDOK));
  window_->SetSelected(1, false);
  EXPECT_EQ(window_->SelectedCount(), 0);
  EXPECT_FALSE(IsControlEnabled(dialog, IDOK));
  // Setting the state an item already has changes nothing and raises no Click.
  EnableWindow(Item(IDOK), TRUE);
  window_->SetSelected(1, false);
  EXPECT_TRUE(IsControlEnabled(dialog, IDOK));

  for (int bad : {-1, 2}) {
    EXPECT_EQ(ErrorNumberOf([&] { window_->ItemText(bad); }), 381) << bad;
    EXPECT_EQ(ErrorNumberOf([&] { window_->Selected(bad); }), 381) << bad;
    EXPECT_EQ(ErrorNumberOf([&] { window_->SetSelected(bad, true); }), 381) << bad;
  }
  EXPECT_EQ(window_->SelectedCount(), 0);
}

TEST_F(ChooseFormWindowTest, TextsAreUtf8InTheProgramAndUtf16InTheWindow) {
  Open();
  HWND dialog = window_->hwnd();
  window_->SetFolderText("C:\\D\xC3\xBCsseldorf\\\xF0\x9F\x93\x81");
  EXPECT_EQ(ControlText(dialog, IDC_FOLDER_TEXT), L"C:\\D\u00FCsseldorf\\\U0001F4C1");
  EXPECT_EQ(window_->FolderText(), "C:\\D\xC3\xBCsseldorf\\\xF0\x9F\x93\x81");
  SetControlText(dialog, IDC_FOLDER_TEXT, L"E:\\\u00E9t\u00E9");
  EXPECT_EQ(window_->FolderText(), "E:\\\xC3\xA9t\xC3\xA9");
  // A malformed sequence shows as a replacement character rather than losing the text.
  window_->SetFolderText(
      "a\xFF"
      "b");
  EXPECT_EQ(ControlText(dialog, IDC_FOLDER_TEXT), L"a\uFFFDb");
  window_->SetFolderText("");
  EXPECT_EQ(window_->FolderText(), "");
  window_->SetCaption("Caf\xC3\xA9");
  EXPECT_EQ(WindowText(dialog), L"Caf\u00E9");
}

TEST_F(ChooseFormWindowTest, OverwriteStatesAreTheCheckBoxStates) {
  Open();
  HWND dialog = window_->hwnd();
  for (int state : {kChecked, kGreyed, kUnchecked}) {
    window_->SetOverwriteState(state);
    EXPECT_EQ(window_->OverwriteState(), state);
    EXPECT_EQ(CheckState(dialog, IDC_OVERWRITE), state);
  }
  window_->SetOverwriteState(kChecked);
  for (int bad : {3, -1}) {
    EXPECT_EQ(ErrorNumberOf([&] { window_->SetOverwriteState(bad); }), 380) << bad;
    EXPECT_EQ(window_->OverwriteState(), kChecked);
  }
}

// --- The modal loop -------------------------------------------------------------------------

TEST_F(ChooseFormWindowTest, CancelEscAndTheCloseBoxCloseWithoutSavingAnything) {
  AddForms({"frmA", "frmB"});
  const struct {
    const char* name;
    void (*close)(HWND dialog);
  } closers[] = {
      {"Cancel", [](HWND dialog) { ClickButton(dialog, IDCANCEL); }},
      {"Esc",
       [](HWND dialog) {
         PostMessageW(Control(dialog, IDC_FORMS_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
       }},
      {"close box", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }},
  };
  // Another window of the thread, such as a floating tool window of the editor.
  OwnerWindow tool_window;
  SetActiveWindow(owner_.hwnd());
  for (const auto& closer : closers) {
    SCOPED_TRACE(closer.name);
    Open();
    HWND list = Item(IDC_FORMS_LIST);
    bool owner_disabled = false, tool_window_disabled = false;
    HWND focus = nullptr;
    POINT centre{}, owner_centre{};
    ShowWhile([&](HWND dialog) {
      owner_disabled = !IsWindowEnabled(owner_.hwnd());
      tool_window_disabled = !IsWindowEnabled(tool_window.hwnd());
      GUITHREADINFO info{};
      info.cbSize = sizeof(info);
      GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
      focus = info.hwndFocus;
      RECT rect{};
      GetWindowRect(dialog, &rect);
      centre = Centre(rect);
      GetWindowRect(owner_.hwnd(), &rect);
      owner_centre = Centre(rect);
      closer.close(dialog);
      WaitUntilClosed(dialog, "the dialog");
    });
    EXPECT_TRUE(owner_disabled);
    EXPECT_TRUE(tool_window_disabled);
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
    EXPECT_TRUE(IsWindowEnabled(tool_window.hwnd()));
    EXPECT_EQ(focus, list);
    EXPECT_NEAR(centre.x, owner_centre.x, 1);
    EXPECT_NEAR(centre.y, owner_centre.y, 1);
    EXPECT_FALSE(dialog_->outcome().ok_pressed);
    EXPECT_EQ(settings_.saves, 0);
    EXPECT_EQ(window_->hwnd(), nullptr);
  }
}

TEST_F(ChooseFormWindowTest, OkExportsWhatTheControlsHoldWhenItRuns) {
  AddForms({"frmA", "frmB", "frmC"});
  Open();
  ShowWhile([&](HWND dialog) {
    // As the harness does it: a click's selection change, and one by message alone.
    SetListSelection(dialog, IDC_FORMS_LIST, 0, false);
    SetListSelection(dialog, IDC_FORMS_LIST, 2, true);
    SendMessageW(Control(dialog, IDC_FORMS_LIST), LB_SETSEL, TRUE, 1);
    SetControlText(dialog, IDC_FOLDER_TEXT, L"C:\\Out");
    SetCheck(dialog, IDC_OVERWRITE, BST_CHECKED);
    ClickButton(dialog, IDOK);
    WaitUntilClosed(dialog, "the dialog");
  });
  EXPECT_TRUE(dialog_->outcome().ok_pressed);
  EXPECT_EQ(Opened(), (std::vector<std::string>{"C:\\Out\\frmB.frm", "C:\\Out\\frmC.frm"}));
  EXPECT_EQ(settings_.Option("Target Folder"), "C:\\Out\\");
  EXPECT_EQ(settings_.Option("Overwrite without prompt"), "1");
}

TEST_F(ChooseFormWindowTest, EnterPressesOkOnlyWhileItIsEnabled) {
  AddForms({"frmA"});
  Open();
  bool ok_disabled = false;
  bool stayed_open = false;
  ShowWhile([&](HWND dialog) {
    HWND list = Control(dialog, IDC_FORMS_LIST);
    SetListSelection(dialog, IDC_FORMS_LIST, 0, false);
    ok_disabled = !IsControlEnabled(dialog, IDOK);
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    // A command naming the disabled button is no click either.
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(dialog, IDOK)));
    // Posted messages are handled in order: once Select All has run, so have the two above.
    ClickButton(dialog, IDC_SELECT_ALL);
    WaitUntil([&]() -> bool { return ListSelection(dialog, IDC_FORMS_LIST)[0]; }, "Select All");
    stayed_open = IsWindowVisible(dialog) != 0;
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    WaitUntilClosed(dialog, "the dialog");
  });
  EXPECT_TRUE(ok_disabled);
  EXPECT_TRUE(stayed_open);
  EXPECT_TRUE(dialog_->outcome().ok_pressed);
  EXPECT_EQ(Opened(), std::vector<std::string>{"C:\\Documents\\frmA.frm"});
}

TEST_F(ChooseFormWindowTest, DoubleClickOnTheListRunsOk) {
  AddForms({"frmA", "frmB"});
  Open();
  ShowWhile([&](HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FORMS_LIST, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Control(dialog, IDC_FORMS_LIST)));
    WaitUntilClosed(dialog, "the dialog");
  });
  EXPECT_TRUE(dialog_->outcome().ok_pressed);
  EXPECT_EQ(Opened(), std::vector<std::string>{"C:\\Documents\\frmA.frm"});
}

TEST_F(ChooseFormWindowTest, ButtonsReachTheirHandlers) {
  AddForms({"frmA", "frmB", "frmC"});
  settings_.SetOption("Overwrite without prompt", "2");
  shell_.picked = "D:\\Picked";
  Open();
  std::vector<bool> unselected, selected;
  bool ok_after_unselect = true, ok_after_select = false;
  std::vector<int> check_states;
  std::wstring browsed;
  ShowWhile([&](HWND dialog) {
    const auto click = [&](int id) { SendMessageW(Control(dialog, id), BM_CLICK, 0, 0); };
    click(IDC_UNSELECT_ALL);
    unselected = ListSelection(dialog, IDC_FORMS_LIST);
    ok_after_unselect = IsControlEnabled(dialog, IDOK);
    click(IDC_SELECT_ALL);
    selected = ListSelection(dialog, IDC_FORMS_LIST);
    ok_after_select = IsControlEnabled(dialog, IDOK);
    // Clicks switch only between unchecked and checked; greyed counts as ticked.
    check_states.push_back(CheckState(dialog, IDC_OVERWRITE));
    for (int i = 0; i < 3; ++i) {
      click(IDC_OVERWRITE);
      check_states.push_back(CheckState(dialog, IDC_OVERWRITE));
    }
    SetControlText(dialog, IDC_FOLDER_TEXT, L"C:\\Start");
    click(IDC_BROWSE);
    browsed = ControlText(dialog, IDC_FOLDER_TEXT);
    ClickButton(dialog, IDCANCEL);
    WaitUntilClosed(dialog, "the dialog");
  });
  EXPECT_EQ(unselected, (std::vector<bool>{false, false, false}));
  EXPECT_FALSE(ok_after_unselect);
  EXPECT_EQ(selected, (std::vector<bool>{true, true, true}));
  EXPECT_TRUE(ok_after_select);
  EXPECT_EQ(check_states,
            (std::vector<int>{BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
  EXPECT_EQ(browsed, L"D:\\Picked");
  ASSERT_EQ(shell_.pick_requests.size(), 1u);
  EXPECT_EQ(shell_.pick_requests[0].first, "C:\\Start");
  EXPECT_EQ(shell_.pick_requests[0].second, kBrowsePrompt);
  EXPECT_EQ(settings_.saves, 0);
}

TEST_F(ChooseFormWindowTest, AboutOpensModallyOverTheDialog) {
  AddForms({"frmA"});
  Open();
  HWND shown = window_->hwnd();
  HWND about_owner = nullptr;
  bool disabled_under_about = false, enabled_after = false;
  ShowWhile([&](HWND dialog) {
    ClickButton(dialog, IDC_ABOUT_BUTTON);
    HWND about = WaitForDialog(Ascii(kAboutCaption), "the About box");
    about_owner = GetWindow(about, GW_OWNER);
    disabled_under_about = !IsWindowEnabled(dialog);
    ClickButton(about, IDOK);
    WaitUntilClosed(about, "the About box");
    enabled_after = IsWindowEnabled(dialog) != 0;
    ClickButton(dialog, IDCANCEL);
    WaitUntilClosed(dialog, "the dialog");
  });
  EXPECT_EQ(about_owner, shown);
  EXPECT_TRUE(disabled_under_about);
  EXPECT_TRUE(enabled_after);
}

TEST_F(ChooseFormWindowTest, AHandlerThatFailsEndsTheDialogAndShowModalRethrows) {
  AddForms({"frmA"});
  shell_.pick_error = HostError(kErrPathNotFound);
  Open();
  int number = 0;
  const std::string failure =
      RunWithScript([&] { number = ErrorNumberOf([&] { window_->ShowModal(*dialog_); }); },
                    [&] {
                      HWND dialog = WaitForDialog(kTitle, "the dialog");
                      ClickButton(dialog, IDC_BROWSE);
                      WaitUntilClosed(dialog, "the dialog");
                    });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(number, kErrPathNotFound);
  EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
  EXPECT_EQ(window_->hwnd(), nullptr);
}

}  // namespace
}  // namespace tovalin::win32::testing
