// ChooseFormWindow: the export dialog as a Win32 dialog (template IDD_CHOOSE_FORM). The window
// exists, hidden, from construction, so that ChooseForm::Initialize can fill it (and use its
// handle as the owner of anything it shows) before ShowModal shows it.
//
// ShowModal runs the dialog's own modal loop: the owner window is disabled, and the user's
// actions reach the ChooseForm handlers until the dialog's logic calls Close, or the close box
// closes it as Cancel does, without calling a handler. A handler that throws ends the modal
// display; ShowModal rethrows the exception once the owner is enabled again, so nothing
// propagates through the window manager's frames.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "dialogs/choose_form_view.h"

namespace tovalin::win32 {

class ChooseFormWindow : public ChooseFormView {
 public:
  // Creates the dialog from `module`'s resources, owned by the thread's active window (if any).
  // Throws HostError (7) when the window cannot be created.
  explicit ChooseFormWindow(HINSTANCE module);
  ~ChooseFormWindow() override;
  ChooseFormWindow(const ChooseFormWindow&) = delete;
  ChooseFormWindow& operator=(const ChooseFormWindow&) = delete;

  // Shows the dialog centred over its owner and returns when it has been closed. Closing
  // destroys the window, as unloading a form does: a dialog is shown once.
  void ShowModal(ChooseForm& form);

  void SetCaption(const std::string& caption) override;
  WindowHandle Window() override;
  void Close() override;
  void AddItem(const std::string& text) override;
  int ListCount() override;
  std::string ItemText(int index) override;
  bool Selected(int index) override;
  void SetSelected(int index, bool selected) override;
  int SelectedCount() override;
  std::string FolderText() override;
  void SetFolderText(const std::string& text) override;
  int OverwriteState() override;
  void SetOverwriteState(int state) override;
  void SetOkEnabled(bool enabled) override;
  std::unique_ptr<AboutFormView> CreateAboutView() override;

  // The dialog's window; null once it has been closed.
  HWND hwnd() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  // True when the message was handled.
  bool OnCommand(int id, int code);
  // Runs a ChooseForm handler, unless one is running already (a nested message loop inside a
  // handler must not start another batch). An exception ends the modal loop.
  template <typename Handler>
  void Dispatch(Handler&& handler);
  void ToggleOverwrite();
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // Throws HostError (381) for an index outside the list.
  void CheckIndex(int index);

  HINSTANCE module_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  ChooseForm* form_ = nullptr;  // while ShowModal runs
  bool closed_ = false;
  bool busy_ = false;
  std::exception_ptr failure_;
};

}  // namespace tovalin::win32
