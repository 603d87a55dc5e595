// The class name of a control in the target format.
#include "engine/export_class.h"
#include "host/error_state.h"
#include "host/host_error.h"

namespace tovalin {
namespace {

// The control types with a same-named class in the target, each enclosed by dots.
constexpr std::string_view kDirectlyMappedTypes =
    ".CheckBox.ComboBox.CommandButton.Frame.Image.Label.ListBox.OptionButton.TextBox.";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (size_t at = 0; at + part.size() <= text.size(); ++at) {
    size_t i = 0;
    while (i < part.size() && LowerAscii(text[at + i]) == LowerAscii(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

}  // namespace

std::string ExportClass::GetControlClass(const std::shared_ptr<Control>& Ctl) {
  const std::string type_name = TypeName(Ctl);
  if (ContainsIgnoringAsciiCase(kDirectlyMappedTypes, "." + type_name + ".")) {
    return "VB." + type_name;
  }
  if (type_name == "ScrollBar") {
    // An orientation that cannot be read continues with the first branch.
    bool horizontal = true;
    RunStep(runtime_.err, [&] {
      if (Ctl == nullptr) throw HostError(kErrObjectNotSet);
      horizontal = Ctl->Orientation() == 1;
    });
    return horizontal ? "VB.HScrollBar" : "VB.VScrollBar";
  }
  // Other types: the first non-broken reference R of the active project for which the class
  // R.<type> is registered. Any failure ends the search with the fallback.
  try {
    if (IDE == nullptr) throw HostError(kErrObjectNotSet);
    std::shared_ptr<VbProject> project = IDE->ActiveVBProject();
    if (project == nullptr) throw HostError(kErrObjectNotSet);
    for (const std::shared_ptr<Reference>& reference : project->References()) {
      if (reference == nullptr) throw HostError(kErrObjectNotSet);
      if (reference->IsBroken()) continue;
      std::string candidate = reference->Name() + "." + type_name;
      if (runtime_.class_registry.KeyExists(candidate)) return candidate;
    }
  } catch (const HostError&) {
    // The search is abandoned; the fallback follows.
  }
  runtime_.err.Clear();
  return "<unknown>." + type_name;
}

}  // namespace tovalin
