#include "dialogs/win32/about_window.h"

#include <utility>

#include "common/app_info.h"
#include "dialogs/win32/dialog_ids.h"
#include "dialogs/win32/window_placement.h"
#include "dialogs/win32/window_text.h"
#include "host/host_error.h"

namespace tovalin::win32 {

AboutWindow::AboutWindow(HINSTANCE module, HWND owner) : module_(module), owner_(owner) {}

void AboutWindow::SetVersionCaption(const std::string& caption) {
  version_ = caption;
  if (hwnd_ != nullptr) SetWindowTextUtf8(GetDlgItem(hwnd_, IDC_VERSION_LABEL), caption);
}

std::string AboutWindow::EmailCaption() { return LabelCaption(IDC_EMAIL_LABEL, kMakerEmail); }

std::string AboutWindow::WwwCaption() { return LabelCaption(IDC_WWW_LABEL, kMakerWebAddress); }

std::string AboutWindow::LabelCaption(int id, std::string_view design_time) {
  if (hwnd_ == nullptr) return std::string(design_time);
  return WindowTextUtf8(GetDlgItem(hwnd_, id));
}

WindowHandle AboutWindow::Window() { return reinterpret_cast<WindowHandle>(hwnd_); }

void AboutWindow::Close() {
  if (hwnd_ != nullptr) EndDialog(hwnd_, IDOK);
}

void AboutWindow::ShowModal(AboutForm& form) {
  form_ = &form;
  failure_ = nullptr;
  const INT_PTR result = DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_ABOUT), owner_, DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  form_ = nullptr;
  hwnd_ = nullptr;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  if (result == -1) throw HostError(kErrOutOfMemory);
}

INT_PTR CALLBACK AboutWindow::DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    reinterpret_cast<AboutWindow*>(lparam)->OnInitDialog(dialog);
    return TRUE;  // the focus goes to Close, the only control that takes it
  }
  auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return self->OnCommand(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_SETCURSOR:
      if (!self->OnSetCursor(reinterpret_cast<HWND>(wparam), LOWORD(lparam))) return FALSE;
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CLOSE:
      // The close box unloads the box without the Close button's handler.
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      SetWindowLongPtrW(dialog, DWLP_USER, 0);
      self->hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void AboutWindow::OnInitDialog(HWND dialog) {
  hwnd_ = dialog;
  // A resource script cannot read the product's constants: the labels are filled here.
  SetWindowTextUtf8(GetDlgItem(dialog, IDC_VERSION_LABEL), version_);
  SetWindowTextUtf8(GetDlgItem(dialog, IDC_APP_NAME_LABEL), kProductDescription);
  SetWindowTextUtf8(GetDlgItem(dialog, IDC_COPYRIGHT_LABEL), kCopyright);
  SetWindowTextUtf8(GetDlgItem(dialog, IDC_EMAIL_LABEL), kMakerEmail);
  SetWindowTextUtf8(GetDlgItem(dialog, IDC_WWW_LABEL), kMakerWebAddress);
  CenterOverOwner(dialog, owner_);
}

bool AboutWindow::OnCommand(int id, int code) {
  switch (id) {
    case IDC_CLOSE_BUTTON:
    case IDCANCEL:  // Esc presses Close too
      if (code != BN_CLICKED) return false;
      Dispatch([](AboutForm& form) { form.CloseCommand_Click(); });
      return true;
    case IDC_EMAIL_LABEL:
      if (code != STN_CLICKED) return false;
      Dispatch([](AboutForm& form) { form.EmailLabel_Click(); });
      return true;
    case IDC_WWW_LABEL:
      if (code != STN_CLICKED) return false;
      Dispatch([](AboutForm& form) { form.WwwLabel_Click(); });
      return true;
    default:
      return false;
  }
}

bool AboutWindow::OnSetCursor(HWND over, int hit_test) {
  if (hit_test != HTCLIENT) return false;
  if (over != GetDlgItem(hwnd_, IDC_EMAIL_LABEL) && over != GetDlgItem(hwnd_, IDC_WWW_LABEL)) {
    return false;
  }
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

template <typename Handler>
void AboutWindow::Dispatch(Handler&& handler) {
  if (form_ == nullptr) return;
  try {
    handler(*form_);
  } catch (...) {
    failure_ = std::current_exception();
    if (hwnd_ != nullptr) EndDialog(hwnd_, IDCANCEL);
  }
}

}  // namespace tovalin::win32
