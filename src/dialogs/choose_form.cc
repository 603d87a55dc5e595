#include "dialogs/choose_form.h"

#include "common/app_info.h"
#include "common/folders.h"
#include "common/messages.h"
#include "common/paths.h"
#include "engine/export_class.h"
#include "host/error_state.h"
#include "host/host_error.h"
#include "host/variant.h"

namespace tovalin {
namespace {

constexpr int32_t kErrInvalidPropertyValue = 380;

const std::string kApp(kApplicationTitle);
const std::string kSection(kOptionsSection);
const std::string kFolderKey(kTargetFolderKey);
const std::string kOverwrite(kOverwriteKey);

// The check box state a stored text converts to, as assigning CInt(text) to the box would:
// a text that is no number fails with 13, a number that is no state with 380.
int CheckStateOf(const std::string& text) {
  const int state = CInt(Variant::String(text));
  if (state != kUnchecked && state != kChecked && state != kGreyed) {
    throw HostError(kErrInvalidPropertyValue, "Invalid property value");
  }
  return state;
}

}  // namespace

void ChooseFormView::RaiseListClick() {
  if (form_ != nullptr) form_->FormsList_Click();
}

ChooseForm::ChooseForm(ChooseFormView& view, Runtime& runtime, SettingsStore& settings,
                       Shell& shell)
    : view_(view), runtime_(runtime), settings_(settings), shell_(shell) {
  view_.Attach(this);
}

ChooseForm::~ChooseForm() { view_.Detach(this); }

void ChooseForm::Initialize(const std::shared_ptr<Vbe>& IDE_) {
  ErrorState& err = runtime_.err;
  err.Clear();
  IDE = IDE_;
  RunStep(err, [&] { view_.SetCaption(kApp); });
  RunStep(err, [&] { view_.SetOkEnabled(false); });
  RunStep(err, [&] { view_.SetFolderText(settings_.GetSetting(kApp, kSection, kFolderKey, "")); });
  // A folder that no longer exists is shown as the documents folder; the store keeps the old
  // value until OK.
  RunGuardedStep(
      err,
      [&] {
        const std::string folder = view_.FolderText();
        return folder.empty() || !runtime_.file_system.IsDirectory(folder);
      },
      [&] { view_.SetFolderText(GetSpecialFolderPath(shell_, kCsidlPersonal, view_.Window())); });
  RunStep(err, [&] {
    view_.SetOverwriteState(CheckStateOf(settings_.GetSetting(kApp, kSection, kOverwrite, "0")));
  });

  std::shared_ptr<VbProject> project;
  RunStep(err, [&] {
    if (IDE == nullptr) throw HostError(kErrObjectNotSet);
    project = IDE->ActiveVBProject();
  });
  if (project == nullptr) return;
  RunStep(err, [&] {
    for (const auto& component : project->VBComponents()) {
      if (component->Type() == kUserFormComponent) view_.AddItem(component->Name());
    }
  });
  int count = 0;
  RunStep(err, [&] { count = view_.ListCount(); });
  if (count == 0) return;
  RunStep(err, [&] { view_.SetOkEnabled(true); });
  RunStep(err, [&] { view_.SetSelected(0, true); });

  std::shared_ptr<VbComponent> selected;
  RunStep(err, [&] { selected = IDE->SelectedVBComponent(); });
  if (selected == nullptr) return;
  RunStep(err, [&] {
    if (selected->Type() != kUserFormComponent) return;
    const std::string name = selected->Name();
    for (int i = 0; i < count; ++i) {
      if (view_.ItemText(i) == name) {
        view_.SetSelected(0, false);
        view_.SetSelected(i, true);
        return;
      }
    }
  });
}

void ChooseForm::FormsList_Click() { view_.SetOkEnabled(view_.SelectedCount() > 0); }

void ChooseForm::FormsList_DblClick() { OKButton_Click(); }

void ChooseForm::OKButton_Click() {
  ErrorState& err = runtime_.err;
  err.Clear();
  outcome_ = BatchOutcome{};
  outcome_.ok_pressed = true;

  std::string folder;
  RunStep(err, [&] { folder = AddBackslash(view_.FolderText()); });
  RunStep(err, [&] { settings_.SaveSetting(kApp, kSection, kFolderKey, folder); });
  RunStep(err, [&] {
    settings_.SaveSetting(kApp, kSection, kOverwrite, std::to_string(view_.OverwriteState()));
  });
  // Options that could not be saved are said so here: left current, the error would be lost
  // when the first export clears it, or be reported as that form's failure.
  if (err.IsSet()) {
    runtime_.warnings.Warn("the options could not be saved: Error " + std::to_string(err.number()) +
                           ": " + err.description());
    err.Clear();
  }

  int count = 0;
  RunStep(err, [&] { count = view_.ListCount(); });
  for (int i = 0; i < count; ++i) {
    bool selected = false;
    RunGuardedStep(
        err, [&] { return view_.Selected(i); }, [&] { selected = true; });
    if (selected && !ExportItem(i, folder)) {
      outcome_.ended_early = true;
      break;
    }
  }
  view_.Close();
}

bool ChooseForm::ExportItem(int index, const std::string& folder) {
  ErrorState& err = runtime_.err;
  std::string name;
  bool stop = false;
  std::string written;
  RunStep(err, [&] {
    name = view_.ItemText(index);
    if (IDE == nullptr) throw HostError(kErrObjectNotSet);
    const std::shared_ptr<VbProject> project = IDE->ActiveVBProject();
    if (project == nullptr) throw HostError(kErrObjectNotSet);
    for (const auto& component : project->VBComponents()) {
      if (component->Type() != kUserFormComponent || component->Name() != name) continue;
      // The name becomes the file name: one that would reach outside the folder is refused.
      if (!IsPlainFileName(name)) throw HostError(kErrBadFileName);
      ExportClass exporter(runtime_);
      stop = !exporter.ExportForm(IDE, component, folder, view_.OverwriteState() != kUnchecked);
      written = exporter.written_file();
      break;
    }
  });
  if (stop) return false;
  if (err.IsSet()) {
    ShowErrorReport(runtime_, "Cannot save " + name + " form.");
    err.Clear();
    ++outcome_.failed;
  } else if (!written.empty()) {
    ++outcome_.written;
    if (listener_ != nullptr) listener_->FormWritten(name, written);
  }
  return true;
}

void ChooseForm::CancelButton_Click() { view_.Close(); }

void ChooseForm::SelectAllButton_Click() { SetAllSelected(true); }

void ChooseForm::UnselectAllButton_Click() { SetAllSelected(false); }

void ChooseForm::SetAllSelected(bool selected) {
  const int count = view_.ListCount();
  for (int i = 0; i < count; ++i) view_.SetSelected(i, selected);
}

void ChooseForm::BrowseCommand_Click() {
  view_.SetFolderText(
      BrowseForFolder(shell_, view_.Window(), view_.FolderText(), std::string(kBrowsePrompt)));
}

void ChooseForm::AboutButton_Click() {
  const std::unique_ptr<AboutFormView> about_view = view_.CreateAboutView();
  AboutForm about(*about_view, shell_);
  about.Show();
}

}  // namespace tovalin
