// The form's 23 property lines, Font block included.
#include "engine/export_class.h"
#include "host/error_state.h"
#include "host/host_error.h"

namespace tovalin {

void ExportClass::WriteFormProperties(const std::shared_ptr<UserForm>& form,
                                      VbComponent& component) {
  ErrorState& err = runtime_.err;
  auto the_form = [&]() -> UserForm& {
    if (form == nullptr) throw HostError(kErrObjectNotSet);
    return *form;
  };
  // The font object is fetched anew for each of its lines.
  auto font_value = [&](int32_t dispid) {
    std::shared_ptr<Font> font = the_form().GetFont();
    if (font == nullptr) throw HostError(kErrObjectNotSet);
    return font->GetByDispId(dispid);
  };
  auto line = [&](auto&& text_of_line) { RunStep(err, [&] { WriteLine(text_of_line()); }); };
  auto constant = [&](const char* text) { RunStep(err, [&] { WriteLine(text); }); };

  line([&] { return "   BackColor       =   " + FormatColor(the_form().BackColor()); });
  constant("   BorderStyle     =   3  'Fixed Dialog");
  line([&] {
    // Concatenation turns Null into an empty text; the caption is not escaped.
    const Variant caption = component.PropertyValue("Caption");
    return "   Caption         =   \"" + (caption.IsNull() ? std::string() : CStr(caption)) + "\"";
  });
  line([&] { return "   ClientHeight    =   " + TwipsText(the_form().InsideHeight()); });
  constant("   ClientLeft      =   0");
  constant("   ClientTop       =   0");
  line([&] { return "   ClientWidth     =   " + TwipsText(the_form().InsideWidth()); });
  constant("   BeginProperty Font");
  line([&] { return "      Name            =   \"" + CStr(font_value(Font::kName)) + "\""; });
  line(
      [&] { return "      Size            =   " + FormatCurrency(CCur(font_value(Font::kSize))); });
  line([&] {
    return "      Charset         =   " + std::to_string(CInt(font_value(Font::kCharset)));
  });
  line([&] {
    return "      Weight          =   " + std::to_string(CInt(font_value(Font::kWeight)));
  });
  line([&] {
    return "      Underline       =   " + FormatBoolean(CBool(font_value(Font::kUnderline)));
  });
  line([&] {
    return "      Italic          =   " + FormatBoolean(CBool(font_value(Font::kItalic)));
  });
  line([&] {
    return "      Strikethrough   =   " + FormatBoolean(CBool(font_value(Font::kStrikethrough)));
  });
  constant("   EndProperty");
  line([&] { return "   ForeColor       =   " + FormatColor(the_form().ForeColor()); });
  constant("   MaxButton       =   0   'False");
  constant("   MinButton       =   0   'False");
  line([&] { return "   ScaleHeight    =   " + TwipsText(the_form().InsideHeight()); });
  line([&] { return "   ScaleWidth     =   " + TwipsText(the_form().InsideWidth()); });
  constant("   ShowInTaskbar   =   0   'False");
  constant("   StartUpPosition =   1  'CenterOwner");
}

}  // namespace tovalin
