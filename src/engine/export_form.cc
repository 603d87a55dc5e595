// The export driver: file name, overwrite decision, the document's frame and the form's code.
#include "common/messages.h"
#include "engine/export_class.h"
#include "host/error_state.h"
#include "host/host_error.h"

namespace tovalin {
namespace {

constexpr std::string_view kFormEventHead = "Private Sub UserForm_";
constexpr std::string_view kRenamedEventHead = "Private Sub Form_";

bool StartsWithIgnoringAsciiCase(std::string_view text, size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char a = text[at + i];
    char b = prefix[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

}  // namespace

std::string RenameFormEventHeads(std::string_view code) {
  std::string renamed;
  renamed.reserve(code.size());
  size_t i = 0;
  while (i < code.size()) {
    if (StartsWithIgnoringAsciiCase(code, i, kFormEventHead)) {
      renamed += kRenamedEventHead;
      i += kFormEventHead.size();
    } else {
      renamed += code[i++];
    }
  }
  return renamed;
}

bool ExportClass::OutputLimitReached() const {
  return OutputFile != nullptr && OutputFile->limit_reached();
}

void ExportClass::WriteLine(const std::string& line) {
  if (OutputFile == nullptr) throw HostError(kErrObjectNotSet);
  OutputFile->WriteLine(line);
}

bool ExportClass::ExportForm(const std::shared_ptr<Vbe>& IDE_,
                             const std::shared_ptr<VbComponent>& Component,
                             const std::string& FolderName, bool Overwrite) {
  ErrorState& err = runtime_.err;
  err.Clear();
  IDE = IDE_;
  written_file_.clear();

  auto component = [&]() -> VbComponent& {
    if (Component == nullptr) throw HostError(kErrObjectNotSet);
    return *Component;
  };
  std::shared_ptr<UserForm> form;
  RunStep(err, [&] { form = component().Designer(); });
  std::string form_name;
  RunStep(err, [&] { form_name = component().Name(); });
  const std::string file_name = FolderName + form_name + ".frm";

  if (!Overwrite && runtime_.file_system.Exists(file_name)) {
    const int answer =
        AskYesNoCancel(runtime_, "The following file already exists:\r\n" + file_name +
                                     "\r\n\r\nDo you want to overwrite it?");
    if (answer == kMbNo) return true;
    if (answer == kMbCancel) return false;
  }

  OutputFile = std::make_unique<FileClass>(runtime_);
  if (!OutputFile->CreateFile(file_name)) {
    ShowErrorReport(runtime_, "Cannot create file: '" + file_name + "'");
    return false;
  }

  RunStep(err, [&] { WriteLine("VERSION 5.00"); });
  RunStep(err, [&] { WriteLine("Begin VB.Form " + form_name); });
  RunStep(err, [&] { WriteFormProperties(form, component()); });
  WriteControlBlocks(form);
  RunStep(err, [&] { WriteLine("End"); });
  RunStep(err, [&] { WriteLine("Attribute VB_Name = \"" + form_name + "\""); });
  RunStep(err, [&] { WriteLine("Attribute VB_GlobalNameSpace = False"); });
  RunStep(err, [&] { WriteLine("Attribute VB_Creatable = False"); });
  RunStep(err, [&] { WriteLine("Attribute VB_PredeclaredId = True"); });
  RunStep(err, [&] { WriteLine("Attribute VB_Exposed = False"); });
  RunStep(err, [&] { WriteCode(component()); });

  RunStep(err, [&] { OutputFile->CloseFile(); });
  // Control blocks clear the current error as they end; a failed write must still reach the
  // caller, so the file's own record of its first failure is made current again here.
  if (const auto& failure = OutputFile->write_failure()) err.Set(*failure);
  if (const size_t replaced = OutputFile->substituted_characters(); replaced > 0) {
    runtime_.warnings.Warn(form_name + ": " + std::to_string(replaced) +
                           (replaced == 1 ? " character" : " characters") + " that code page " +
                           std::to_string(runtime_.output_code_page) +
                           " cannot hold written as \"?\"");
  }
  OutputFile.reset();
  written_file_ = file_name;
  return true;
}

void ExportClass::WriteControlBlocks(const std::shared_ptr<UserForm>& form) {
  ErrorState& err = runtime_.err;
  ControlList controls;
  RunStep(err, [&] {
    if (form == nullptr) throw HostError(kErrObjectNotSet);
    controls = form->Controls();
  });
  for (const std::shared_ptr<Control>& ctl : controls) {
    if (OutputLimitReached()) break;
    // A control inside a Frame or another container is written by that container's walk, or
    // by nobody (the pages of a multi-page control).
    RunGuardedStep(
        err,
        [&] {
          if (ctl == nullptr) throw HostError(kErrObjectNotSet);
          return TypeName(ctl->Parent()) == "UserForm";
        },
        [&] {
          if (TypeName(ctl) == "Frame") {
            ExportFrame(ctl, 1);
          } else {
            ExportControl(ctl, 1, false);
          }
        });
  }
}

void ExportClass::WriteCode(VbComponent& component) {
  std::string code;
  RunStep(runtime_.err, [&] {
    auto counted = component.GetCodeModule();
    if (counted == nullptr) throw HostError(kErrObjectNotSet);
    const int32_t count = counted->CountOfLines();
    auto module = component.GetCodeModule();
    if (module == nullptr) throw HostError(kErrObjectNotSet);
    code = module->Lines(1, count);
  });
  WriteLine(RenameFormEventHeads(code));
}

}  // namespace tovalin
