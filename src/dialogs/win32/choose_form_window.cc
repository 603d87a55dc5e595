#include "dialogs/win32/choose_form_window.h"

#include <cstdint>
#include <utility>

#include "dialogs/choose_form.h"
#include "dialogs/win32/about_window.h"
#include "dialogs/win32/dialog_ids.h"
#include "dialogs/win32/thread_windows.h"
#include "dialogs/win32/window_placement.h"
#include "dialogs/win32/window_text.h"
#include "host/host_error.h"

namespace tovalin::win32 {
namespace {

constexpr int32_t kErrInvalidPropertyValue = 380;
constexpr int32_t kErrInvalidArrayIndex = 381;

}  // namespace

ChooseFormWindow::ChooseFormWindow(HINSTANCE module) : module_(module), owner_(GetActiveWindow()) {
  // The template is not visible, so the window stays hidden until ShowModal. WM_INITDIALOG
  // records the handle, so it is valid for anything the dialog receives while it is created.
  HWND created = CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_CHOOSE_FORM), owner_, DialogProc,
                                    reinterpret_cast<LPARAM>(this));
  if (created == nullptr) {
    hwnd_ = nullptr;
    throw HostError(kErrOutOfMemory);
  }
}

ChooseFormWindow::~ChooseFormWindow() {
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  DestroyWindow(hwnd_);
}

void ChooseFormWindow::ShowModal(ChooseForm& form) {
  if (hwnd_ == nullptr) return;  // shown before, or destroyed with its owner: nothing to show
  form_ = &form;
  closed_ = false;
  failure_ = nullptr;

  CenterOverOwner(hwnd_, owner_);
  ThreadWindowsDisabled other_windows(hwnd_);
  ShowWindow(hwnd_, SW_SHOW);
  // The focus goes where Tab would first take it: the list (its label takes no focus).
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE); first != nullptr) {
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }

  MSG message;
  while (!closed_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // A quit request belongs to the thread's outer loop: leave it queued for that loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!IsDialogMessageW(hwnd_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // The owner is enabled before the dialog hides, so that the activation returns to it rather
  // than to another application's window.
  other_windows.Restore();
  if (hwnd_ != nullptr) {
    const bool was_active = GetActiveWindow() == hwnd_;
    ShowWindow(hwnd_, SW_HIDE);
    if (was_active && owner_ != nullptr) SetForegroundWindow(owner_);
    // Closing unloads the dialog: the window goes, and the view's reads find no controls.
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    DestroyWindow(std::exchange(hwnd_, nullptr));
  }
  form_ = nullptr;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

INT_PTR CALLBACK ChooseFormWindow::DialogProc(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lparam);
    reinterpret_cast<ChooseFormWindow*>(lparam)->hwnd_ = dialog;
    // The focus is set when the dialog is shown: setting it now would activate a hidden window.
    return FALSE;
  }
  auto* self = reinterpret_cast<ChooseFormWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return self->OnCommand(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_CLOSE:
      // The close box closes the dialog as Cancel does, but calls no handler.
      self->closed_ = true;
      return TRUE;
    case WM_DESTROY:
      // Destroyed from outside (with its owner): the view's calls then find no controls.
      SetWindowLongPtrW(dialog, DWLP_USER, 0);
      self->hwnd_ = nullptr;
      self->closed_ = true;
      return FALSE;
    default:
      return FALSE;
  }
}

bool ChooseFormWindow::OnCommand(int id, int code) {
  if (id == IDC_FORMS_LIST) {
    if (code == LBN_SELCHANGE) {
      Dispatch([](ChooseForm& form) { form.FormsList_Click(); });
      return true;
    }
    if (code == LBN_DBLCLK) {
      Dispatch([](ChooseForm& form) { form.FormsList_DblClick(); });
      return true;
    }
    return false;
  }
  if (code != BN_CLICKED) return false;
  // A disabled button has no click, even when a command names it (OK while nothing is
  // selected).
  if (HWND button = Item(id); button != nullptr && !IsWindowEnabled(button)) return true;
  switch (id) {
    case IDC_OK_BUTTON:
      Dispatch([](ChooseForm& form) { form.OKButton_Click(); });
      return true;
    case IDC_CANCEL_BUTTON:  // also Esc
      Dispatch([](ChooseForm& form) { form.CancelButton_Click(); });
      return true;
    case IDC_SELECT_ALL:
      Dispatch([](ChooseForm& form) { form.SelectAllButton_Click(); });
      return true;
    case IDC_UNSELECT_ALL:
      Dispatch([](ChooseForm& form) { form.UnselectAllButton_Click(); });
      return true;
    case IDC_BROWSE:
      Dispatch([](ChooseForm& form) { form.BrowseCommand_Click(); });
      return true;
    case IDC_ABOUT_BUTTON:
      Dispatch([](ChooseForm& form) { form.AboutButton_Click(); });
      return true;
    case IDC_OVERWRITE:
      ToggleOverwrite();
      return true;
    default:
      return false;
  }
}

template <typename Handler>
void ChooseFormWindow::Dispatch(Handler&& handler) {
  if (form_ == nullptr || busy_ || closed_) return;
  busy_ = true;
  try {
    handler(*form_);
  } catch (...) {
    failure_ = std::current_exception();
    closed_ = true;
  }
  busy_ = false;
}

void ChooseFormWindow::ToggleOverwrite() {
  // A greyed box permits overwriting as a ticked one does, so a click clears it too.
  SetOverwriteState(OverwriteState() == kUnchecked ? kChecked : kUnchecked);
}

void ChooseFormWindow::CheckIndex(int index) {
  if (index < 0 || index >= ListCount()) {
    throw HostError(kErrInvalidArrayIndex, "Invalid property array index");
  }
}

void ChooseFormWindow::SetCaption(const std::string& caption) { SetWindowTextUtf8(hwnd_, caption); }

WindowHandle ChooseFormWindow::Window() { return reinterpret_cast<WindowHandle>(hwnd_); }

void ChooseFormWindow::Close() { closed_ = true; }

void ChooseFormWindow::AddItem(const std::string& text) {
  const LRESULT added = SendMessageW(Item(IDC_FORMS_LIST), LB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
  if (added < 0) throw HostError(kErrOutOfMemory);
}

int ChooseFormWindow::ListCount() {
  const LRESULT count = SendMessageW(Item(IDC_FORMS_LIST), LB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::string ChooseFormWindow::ItemText(int index) {
  CheckIndex(index);
  HWND list = Item(IDC_FORMS_LIST);
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) throw HostError(kErrInvalidArrayIndex, "Invalid property array index");
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return Utf8FromWide(text);
}

bool ChooseFormWindow::Selected(int index) {
  CheckIndex(index);
  return SendMessageW(Item(IDC_FORMS_LIST), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ChooseFormWindow::SetSelected(int index, bool selected) {
  if (Selected(index) == selected) return;
  // A selection set by message raises no LBN_SELCHANGE: the list's Click is raised here.
  SendMessageW(Item(IDC_FORMS_LIST), LB_SETSEL, selected ? TRUE : FALSE, index);
  RaiseListClick();
}

int ChooseFormWindow::SelectedCount() {
  const LRESULT count = SendMessageW(Item(IDC_FORMS_LIST), LB_GETSELCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::string ChooseFormWindow::FolderText() { return WindowTextUtf8(Item(IDC_FOLDER_TEXT)); }

void ChooseFormWindow::SetFolderText(const std::string& text) {
  SetWindowTextUtf8(Item(IDC_FOLDER_TEXT), text);
}

int ChooseFormWindow::OverwriteState() {
  switch (SendMessageW(Item(IDC_OVERWRITE), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return kChecked;
    case BST_INDETERMINATE:
      return kGreyed;
    default:
      return kUnchecked;
  }
}

void ChooseFormWindow::SetOverwriteState(int state) {
  WPARAM check = BST_UNCHECKED;
  switch (state) {
    case kUnchecked:
      break;
    case kChecked:
      check = BST_CHECKED;
      break;
    case kGreyed:
      check = BST_INDETERMINATE;
      break;
    default:
      throw HostError(kErrInvalidPropertyValue, "Invalid property value");
  }
  SendMessageW(Item(IDC_OVERWRITE), BM_SETCHECK, check, 0);
}

void ChooseFormWindow::SetOkEnabled(bool enabled) {
  EnableWindow(Item(IDC_OK_BUTTON), enabled ? TRUE : FALSE);
}

std::unique_ptr<AboutFormView> ChooseFormWindow::CreateAboutView() {
  return std::make_unique<AboutWindow>(module_, hwnd_);
}

}  // namespace tovalin::win32
