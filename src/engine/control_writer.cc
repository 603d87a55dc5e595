// The block of one control: header, caption, the common property lines, the lines of its type,
// and (unless children follow) its End.
#include "engine/export_class.h"
#include "host/error_state.h"
#include "host/host_error.h"

namespace tovalin {
namespace {

// "If Not value Then": the bitwise Not is non-zero for False and for every value but True;
// Null satisfies nothing.
bool NotTrue(const Variant& value) { return Truth(Not(value)).value_or(false); }
bool IsTrue(const Variant& value) { return Truth(value).value_or(false); }
bool ComparesWithZero(const Variant& value, bool (*holds)(int)) {
  const std::optional<int> order = Compare(value, 0);
  return order.has_value() && holds(*order);
}
bool NotZero(const Variant& value) {
  return ComparesWithZero(value, [](int order) { return order != 0; });
}
bool AboveZero(const Variant& value) {
  return ComparesWithZero(value, [](int order) { return order > 0; });
}
bool IsZero(const Variant& value) {
  return ComparesWithZero(value, [](int order) { return order == 0; });
}
bool HasText(const Variant& value) {
  const std::optional<int32_t> length = Len(value);
  return length.has_value() && *length > 0;
}

// The target's Alignment code for the forms package's TextAlign (1 left, 2 centre, 3 right).
std::string AlignmentCode(const Variant& text_align) {
  static constexpr const char* kCodes[] = {"0", "2", "1"};
  const int32_t index = CLng(Variant::Double(CDbl(text_align) - 1));
  if (index < 0 || index > 2) throw HostError(kErrSubscriptOutOfRange);
  return kCodes[index];
}

// The caption with "&" before the first occurrence of the accelerator (exact case).
std::string InsertAccelerator(const std::string& caption, const std::string& accelerator) {
  if (accelerator.empty()) return caption;
  const size_t at = caption.find(accelerator);
  if (at == std::string::npos) return caption;
  return caption.substr(0, at) + "&" + caption.substr(at);
}

}  // namespace

void ExportClass::ExportControl(const std::shared_ptr<Control>& Ctl, int32_t Level,
                                bool IsContainer) {
  ErrorState& err = runtime_.err;
  err.Clear();
  auto ctl = [&]() -> Control& {
    if (Ctl == nullptr) throw HostError(kErrObjectNotSet);
    return *Ctl;
  };
  const std::string indent(3 * static_cast<size_t>(Level), ' ');
  const std::string type_name = TypeName(Ctl);
  auto line = [&](auto&& text_of_line) {
    RunStep(err, [&] { WriteLine(indent + text_of_line()); });
  };
  // A line written when `test` holds, and also when the test itself fails.
  auto guarded = [&](auto&& test, auto&& text_of_line) {
    RunGuardedStep(err, test, [&] { WriteLine(indent + text_of_line()); });
  };
  auto by_name = [&](std::string_view name) { return ctl().Get(name); };

  RunStep(err, [&] {
    const std::string class_name = GetControlClass(Ctl);
    const std::string name = ctl().Name();
    WriteLine(indent + "Begin " + class_name + " " + name);
  });

  // The caption is written only when it and everything before it could be read.
  std::string caption;
  RunStep(err, [&] { caption = CStr(GetProperty(ctl().Object(), "Caption")); });
  if (!err.IsSet()) {
    std::string accelerator;
    RunStep(err, [&] { accelerator = CStr(by_name("Accelerator")); });
    if (!err.IsSet()) caption = InsertAccelerator(caption, accelerator);
    line([&] { return "   Caption         =   " + QuoteString(caption); });
  }

  auto text = [](const char* whole_line) {
    return [whole_line] { return std::string(whole_line); };
  };
  line([&] { return "   BackColor       =   " + FormatColor(CLng(by_name("BackColor"))); });
  guarded([&] { return NotTrue(by_name("Enabled")); }, text("   Enabled         =   0   'False"));
  guarded([&] { return type_name != "CommandButton"; },
          [&] { return "   ForeColor       =   " + FormatColor(CLng(by_name("ForeColor"))); });
  line([&] { return "   Height          =   " + TwipsText(ctl().Height()); });
  guarded([&] { return ctl().HelpContextID() > 0; },
          [&] { return "   HelpContextID   =   " + std::to_string(ctl().HelpContextID()); });
  line([&] { return "   Left            =   " + TwipsText(ctl().Left()); });
  line([&] { return "   TabIndex        =   " + std::to_string(ctl().TabIndex()); });
  guarded([&] { return !ctl().TabStop() && type_name != "Label"; },
          text("   TabStop         =   0   'False"));
  guarded([&] { return !ctl().Tag().empty(); },
          [&] { return "   Tag             =   " + QuoteString(ctl().Tag()); });
  guarded(
      [&] {
        const std::optional<int> order = Compare(by_name("TextAlign"), 1);
        return order.has_value() && *order != 0;
      },
      [&] { return "   Alignment       =   " + AlignmentCode(by_name("TextAlign")); });
  guarded([&] { return !ctl().ControlTipText().empty(); },
          [&] { return "   ToolTipText     =   " + QuoteString(ctl().ControlTipText()); });
  line([&] { return "   Top             =   " + TwipsText(ctl().Top()); });
  guarded([&] { return !ctl().Visible(); }, text("   Visible         =   0   'False"));
  line([&] { return "   Width           =   " + TwipsText(ctl().Width()); });

  if (type_name == "CommandButton") {
    guarded([&] { return ctl().Cancel(); }, text("   Cancel          =   -1  'True"));
    guarded([&] { return ctl().Default(); }, text("   Default         =   -1  'True"));
  } else if (type_name == "Label") {
    guarded([&] { return IsTrue(by_name("AutoSize")); }, text("   AutoSize        =   -1  'True"));
    guarded([&] { return NotZero(by_name("BorderStyle")); },
            [&] { return "   BorderStyle     =   " + CStr(by_name("BorderStyle")); });
    line([&] { return "   WordWrap        =   " + FormatBoolean(CBool(by_name("WordWrap"))); });
  } else if (type_name == "TextBox") {
    guarded([&] { return NotTrue(by_name("HideSelection")); },
            text("   HideSelection   =   0  'False"));
    guarded([&] { return IsTrue(by_name("Locked")); }, text("   Locked          =   -1 'True"));
    guarded([&] { return AboveZero(by_name("MaxLength")); },
            [&] { return "   MaxLength       =   " + CStr(by_name("MaxLength")); });
    guarded([&] { return IsTrue(by_name("MultiLine")); }, text("   MultiLine       =   -1 'True"));
    guarded([&] { return HasText(by_name("PasswordChar")); },
            [&] { return "   PasswordChar    =   " + QuoteString(CStr(by_name("PasswordChar"))); });
    guarded([&] { return NotZero(by_name("ScrollBars")); },
            [&] { return "   ScrollBars      =   " + CStr(by_name("ScrollBars")); });
    guarded([&] { return HasText(by_name("Text")); },
            [&] { return "   Text            =   " + QuoteString(CStr(by_name("Text"))); });
  } else if (type_name == "CheckBox") {
    guarded([&] { return NotZero(by_name("Value")); }, text("   Value           =   1"));
  } else if (type_name == "OptionButton") {
    guarded([&] { return NotZero(by_name("Value")); }, text("   Value           =   -1 'True"));
  } else if (type_name == "ListBox") {
    guarded([&] { return IsZero(by_name("IntegralHeight")); },
            text("   IntegralHeight  =   0 'False"));
    guarded([&] { return NotZero(by_name("MultiSelect")); },
            [&] { return "   MultiSelect     =   " + CStr(by_name("MultiSelect")); });
  } else if (type_name == "ComboBox") {
    guarded([&] { return IsTrue(by_name("Locked")); }, text("   Locked          =   -1 'True"));
    guarded([&] { return NotZero(by_name("Style")); },
            [&] { return "   Style           =   " + CStr(by_name("Style")); });
  }

  if (!IsContainer) RunStep(err, [&] { WriteLine(indent + "End"); });
  err.Clear();
}

}  // namespace tovalin
