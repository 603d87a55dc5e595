// AboutWindow: the About box as a Win32 modal dialog (template IDD_ABOUT) over the export
// dialog. The labels get their texts from the product's constants when the box opens; the
// version caption the form sets before showing it is kept until then. Clicks on the two link
// labels, and Close, Enter and Esc, go to the AboutForm handlers; the close box closes the box
// without calling one. A handler that throws closes the box, and ShowModal rethrows it.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

#include "dialogs/about_form.h"

namespace tovalin::win32 {

class AboutWindow : public AboutFormView {
 public:
  // `owner` (may be null) is disabled while the box is shown.
  AboutWindow(HINSTANCE module, HWND owner);
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;

  void SetVersionCaption(const std::string& caption) override;
  std::string EmailCaption() override;
  std::string WwwCaption() override;
  // The box's window while it is shown, else 0.
  WindowHandle Window() override;
  void Close() override;
  // Throws HostError (7) when the box cannot be created.
  void ShowModal(AboutForm& form) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  void OnInitDialog(HWND dialog);
  bool OnCommand(int id, int code);
  // True when the cursor is over a link label: it shows the hand.
  bool OnSetCursor(HWND over, int hit_test);
  template <typename Handler>
  void Dispatch(Handler&& handler);
  std::string LabelCaption(int id, std::string_view design_time);

  HINSTANCE module_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  AboutForm* form_ = nullptr;
  std::string version_;
  std::exception_ptr failure_;
};

}  // namespace tovalin::win32
