// ChooseForm: the export dialog. It lists the UserForms of the editor's active project, lets the
// user pick forms, a target folder and whether existing files may be replaced without asking,
// remembers the folder and that choice in the settings store, and on OK exports the picked forms
// one after the other in the list's order.
//
// Initialize and the OK action run in the skip-on-error model: a failed step becomes the current
// error and the next step runs. OK reports a form whose export left an error current ("Cannot
// save <name> form." with the error) and goes on; an export that returns false ends the batch.
// The other handlers do no error handling of their own.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "dialogs/choose_form_view.h"
#include "host/object_model.h"
#include "host/platform_services.h"
#include "host/runtime.h"

namespace tovalin {

// Design-time captions of the dialog's controls ("&" marks the access key).
inline constexpr std::string_view kPromptLabelCaption = "&Select form(s) to export:";
inline constexpr std::string_view kFolderLabelCaption =
    "Save exported form(s) in the following &folder:";
inline constexpr std::string_view kBrowseCaption = "&Browse...";
inline constexpr std::string_view kOverwriteCaption = "&Overwrite existing files without prompting";
inline constexpr std::string_view kSelectAllCaption = "Select &All";
inline constexpr std::string_view kUnselectAllCaption = "&Unselect All";
inline constexpr std::string_view kAboutButtonCaption = "Abou&t...";
inline constexpr std::string_view kBrowsePrompt = "Select folder to save exported form(s):";

// The persisted options: application kApplicationTitle, this section, these keys.
inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kTargetFolderKey = "Target Folder";
inline constexpr std::string_view kOverwriteKey = "Overwrite without prompt";

// Told about each form as the OK batch deals with it (the command line prints these).
class BatchListener {
 public:
  virtual ~BatchListener() = default;
  // The form was written completely to `file`.
  virtual void FormWritten(const std::string& form, const std::string& file) = 0;
};

// What the last OK batch did.
struct BatchOutcome {
  bool ok_pressed = false;
  int written = 0;           // forms written completely
  int failed = 0;            // forms reported as not saved
  bool ended_early = false;  // an export returned false
};

class ChooseForm {
 public:
  // `view` is attached to this dialog for its list's Click.
  ChooseForm(ChooseFormView& view, Runtime& runtime, SettingsStore& settings, Shell& shell);
  ~ChooseForm();
  ChooseForm(const ChooseForm&) = delete;
  ChooseForm& operator=(const ChooseForm&) = delete;

  // Restores the options, lists the active project's UserForms and pre-selects one: the
  // editor's selected component when it is listed, else the first.
  void Initialize(const std::shared_ptr<Vbe>& IDE_);

  void FormsList_Click();
  void FormsList_DblClick();
  void OKButton_Click();
  void CancelButton_Click();
  void SelectAllButton_Click();
  void UnselectAllButton_Click();
  void BrowseCommand_Click();
  void AboutButton_Click();

  void set_listener(BatchListener* listener) { listener_ = listener; }
  const BatchOutcome& outcome() const { return outcome_; }

 private:
  void SetAllSelected(bool selected);
  // Exports list item `index`; false when the batch must end.
  bool ExportItem(int index, const std::string& folder);

  ChooseFormView& view_;
  Runtime& runtime_;
  SettingsStore& settings_;
  Shell& shell_;
  std::shared_ptr<Vbe> IDE;
  BatchListener* listener_ = nullptr;
  BatchOutcome outcome_;
};

}  // namespace tovalin
