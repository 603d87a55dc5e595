// The About box's window: the product's texts and the layout, the link labels (clicks, hand
// cursor), and the ways it closes, driven from a second thread while it is shown modally.
#include "dialogs/win32/about_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "common/app_info.h"
#include "dialog_test_support.h"
#include "dialogs/about_form.h"
#include "dialogs/win32/dialog_ids.h"
#include "host/host_error.h"
#include "window_driver.h"

namespace tovalin::win32::testing {
namespace {

// Records each link opened with the window it was opened over; can be made to fail.
class LinkShell : public Shell {
 public:
  std::optional<std::string> SpecialFolderLocation(int /*csidl*/, WindowHandle /*owner*/) override {
    return std::nullopt;
  }
  std::optional<std::string> PickFolder(WindowHandle /*owner*/, const std::string& /*initial*/,
                                        const std::string& /*prompt*/) override {
    return std::nullopt;
  }
  void OpenLink(WindowHandle owner, const std::string& target) override {
    if (fail) throw HostError(kErrInvalidCall);
    opened.emplace_back(reinterpret_cast<HWND>(owner), target);
    ++count;
  }
  std::vector<std::pair<HWND, std::string>> opened;
  std::atomic<int> count{0};
  bool fail = false;
};

class AboutWindowTest : public ::testing::Test {
 protected:
  // Shows the box while `script` drives it from a second thread.
  void ShowWhile(const std::function<void(HWND)>& script) {
    const std::string failure = RunWithScript(
        [&] { form_.Show(); }, [&] { script(WaitForDialog(Ascii(kAboutCaption), "the box")); });
    EXPECT_EQ(failure, "");
  }

  OwnerWindow owner_;
  LinkShell shell_;
  AboutWindow view_{GetModuleHandleW(nullptr), owner_.hwnd()};
  AboutForm form_{view_, shell_};
};

TEST_F(AboutWindowTest, ShowsTheProductTextsCentredOverItsOwner) {
  EXPECT_EQ(view_.EmailCaption(), kMakerEmail);
  EXPECT_EQ(view_.WwwCaption(), kMakerWebAddress);
  EXPECT_EQ(view_.Window(), 0u);

  std::vector<std::wstring> texts;
  std::wstring close_caption;
  bool owner_disabled = false;
  LRESULT default_id = 0;
  POINT centre{}, owner_centre{};
  ShowWhile([&](HWND box) {
    for (int id : {IDC_VERSION_LABEL, IDC_APP_NAME_LABEL, IDC_COPYRIGHT_LABEL, IDC_EMAIL_LABEL,
                   IDC_WWW_LABEL}) {
      texts.push_back(ControlText(box, id));
    }
    close_caption = ControlText(box, IDOK);
    owner_disabled = !IsWindowEnabled(owner_.hwnd());
    default_id = SendMessageW(box, DM_GETDEFID, 0, 0);
    RECT rect{};
    GetWindowRect(box, &rect);
    centre = Centre(rect);
    GetWindowRect(owner_.hwnd(), &rect);
    owner_centre = Centre(rect);
    ClickButton(box, IDOK);
    WaitUntilClosed(box, "the box");
  });
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Tovalin Version 1.1.116",
                                              Ascii(kProductDescription), Ascii(kCopyright),
                                              Ascii(kMakerEmail), Ascii(kMakerWebAddress)}));
  EXPECT_EQ(close_caption, Ascii(kAboutCloseCaption));
  EXPECT_EQ(LOWORD(default_id), IDOK);
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
  EXPECT_NEAR(centre.x, owner_centre.x, 1);
  EXPECT_NEAR(centre.y, owner_centre.y, 1);
  EXPECT_EQ(view_.Window(), 0u);
}

TEST_F(AboutWindowTest, LayoutFollowsTheTwipsTableAndTheDescriptionFits) {
  RECT client{};
  FontScale scale{};
  std::vector<int> off;
  int description_height = 0, description_needed = 0;
  ShowWhile([&](HWND box) {
    GetClientRect(box, &client);
    scale = FontScaleOf(box);
    // The description has room for a third line, which some fonts need.
    const TwipsRect layout[] = {
        {IDC_VERSION_LABEL, 120, 120, 3615, 255},    {IDC_APP_NAME_LABEL, 120, 720, 3615, 585},
        {IDC_COPYRIGHT_LABEL, 120, 1560, 3615, 255}, {IDC_EMAIL_LABEL, 120, 1920, 3615, 255},
        {IDC_WWW_LABEL, 120, 2280, 3615, 255},       {IDOK, 1343, 2760, 1215, 375}};
    for (const TwipsRect& control : layout) off.push_back(PixelsOff(box, control));
    // The description wraps in its label: the wrapped text must fit the label's height.
    HWND label = Control(box, IDC_APP_NAME_LABEL);
    RECT area{};
    GetClientRect(label, &area);
    description_height = area.bottom;
    HDC dc = GetDC(label);
    auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring text = WindowText(label);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    description_needed = area.bottom;
    ClickButton(box, IDOK);
    WaitUntilClosed(box, "the box");
  });
  EXPECT_NEAR(client.right, Pixels(3900, scale.x), 2);
  EXPECT_NEAR(client.bottom, Pixels(3225, scale.y), 2);
  for (size_t i = 0; i < off.size(); ++i) EXPECT_LE(off[i], 2) << "control " << i;
  EXPECT_LE(description_needed, description_height);
}

TEST_F(AboutWindowTest, LinkLabelsOpenTheirTextsAndShowTheHandCursor) {
  HWND shown = nullptr;
  std::vector<LRESULT> cursor_answers;
  bool still_open = false;
  ShowWhile([&](HWND box) {
    shown = box;
    // The label under the pointer asks its dialog first: only the two links take it.
    for (int id : {IDC_EMAIL_LABEL, IDC_WWW_LABEL, IDC_VERSION_LABEL, IDC_COPYRIGHT_LABEL}) {
      HWND label = Control(box, id);
      cursor_answers.push_back(SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    }
    // Mouse clicks, which reach the dialog only from a label that notifies.
    for (int id : {IDC_EMAIL_LABEL, IDC_WWW_LABEL, IDC_COPYRIGHT_LABEL}) {
      HWND label = Control(box, id);
      PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
      PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    WaitUntil([&] { return shell_.count == 2; }, "the links opened");
    still_open = IsWindowVisible(box) != 0;
    // Posted after the copyright label's click, so that click has been seen when the box closes.
    ClickButton(box, IDOK);
    WaitUntilClosed(box, "the box");
  });
  EXPECT_EQ(cursor_answers, (std::vector<LRESULT>{TRUE, TRUE, FALSE, FALSE}));
  EXPECT_TRUE(still_open);
  using Opened = std::vector<std::pair<HWND, std::string>>;
  EXPECT_EQ(shell_.opened, (Opened{{shown, "mailto:tovalin@example.org"},
                                   {shown, "https://tovalin.example.org/"}}));
}

TEST_F(AboutWindowTest, EnterEscAndTheCloseBoxCloseTheBoxAndItShowsAgain) {
  const struct {
    const char* name;
    void (*close)(HWND box);
  } closers[] = {
      {"Enter", [](HWND box) { PostMessageW(Control(box, IDOK), WM_KEYDOWN, VK_RETURN, 0); }},
      {"Esc", [](HWND box) { PostMessageW(Control(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"close box", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }},
  };
  for (const auto& closer : closers) {
    SCOPED_TRACE(closer.name);
    std::wstring version;
    ShowWhile([&](HWND box) {
      version = ControlText(box, IDC_VERSION_LABEL);
      closer.close(box);
      WaitUntilClosed(box, "the box");
    });
    EXPECT_EQ(version, L"Tovalin Version 1.1.116");
    EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
  }
}

TEST_F(AboutWindowTest, AHandlerThatFailsClosesTheBoxAndShowRethrows) {
  shell_.fail = true;
  int number = 0;
  const std::string failure =
      RunWithScript([&] { number = ErrorNumberOf([&] { form_.Show(); }); },
                    [&] {
                      HWND box = WaitForDialog(Ascii(kAboutCaption), "the box");
                      SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDC_WWW_LABEL, STN_CLICKED),
                                   reinterpret_cast<LPARAM>(Control(box, IDC_WWW_LABEL)));
                      WaitUntilClosed(box, "the box");
                    });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(number, kErrInvalidCall);
  EXPECT_TRUE(IsWindowEnabled(owner_.hwnd()));
}

}  // namespace
}  // namespace tovalin::win32::testing
