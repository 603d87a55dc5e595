// The controls of the export dialog as its logic sees them: the list of forms, the folder text,
// the overwrite check box, the OK button, the caption, the window handle and closing. A toolkit
// (or the terminal) implements it; ChooseForm drives it.
#pragma once

#include <memory>
#include <string>

#include "dialogs/about_form.h"
#include "host/platform_services.h"

namespace tovalin {

class ChooseForm;

// States of the overwrite check box. Clicks switch between unchecked and checked; greyed comes
// only from a stored value, and every state but unchecked permits overwriting.
enum CheckState : int { kUnchecked = 0, kChecked = 1, kGreyed = 2 };

class ChooseFormView {
 public:
  virtual ~ChooseFormView() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual WindowHandle Window() = 0;
  // Ends the dialog's modal display.
  virtual void Close() = 0;

  // The list of forms. Index errors throw HostError (381).
  virtual void AddItem(const std::string& text) = 0;
  virtual int ListCount() = 0;
  virtual std::string ItemText(int index) = 0;
  virtual bool Selected(int index) = 0;
  // Every change of the selection, by the user or by code, raises the list's Click on the
  // attached dialog (RaiseListClick).
  virtual void SetSelected(int index, bool selected) = 0;
  virtual int SelectedCount() = 0;

  virtual std::string FolderText() = 0;
  virtual void SetFolderText(const std::string& text) = 0;

  virtual int OverwriteState() = 0;
  // Throws HostError (380) for a state that is not a CheckState.
  virtual void SetOverwriteState(int state) = 0;

  virtual void SetOkEnabled(bool enabled) = 0;

  // A new About box, modal over this dialog.
  virtual std::unique_ptr<AboutFormView> CreateAboutView() = 0;

  // The dialog whose FormsList_Click the list raises.
  void Attach(ChooseForm* form) { form_ = form; }
  // Detaches `form` when it is the attached dialog.
  void Detach(const ChooseForm* form) {
    if (form_ == form) form_ = nullptr;
  }

 protected:
  void RaiseListClick();

 private:
  ChooseForm* form_ = nullptr;
};

}  // namespace tovalin
