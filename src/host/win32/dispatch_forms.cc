#include "host/win32/dispatch_forms.h"

#include "host/win32/dispatch_call.h"
#include "host/win32/dispatch_enum.h"
#include "host/win32/dispatch_host_object.h"
#include "host/win32/variant_convert.h"

namespace tovalin::win32 {
namespace {

class DispatchFont : public DispatchHostObject<Font> {
 public:
  using DispatchHostObject::DispatchHostObject;

  Variant GetByDispId(int32_t dispid) override {
    return FromVariant(Invoke(dispatch(), dispid, DISPATCH_PROPERTYGET).get(), objects());
  }
};

// The extender properties are typed as the forms package types them; everything else goes by
// name (Get).
class DispatchControl : public DispatchHostObject<Control> {
 public:
  using DispatchHostObject::DispatchHostObject;

  std::string Name() override { return CStr(Read("Name")); }
  float Left() override { return CSng(Read("Left")); }
  float Top() override { return CSng(Read("Top")); }
  float Width() override { return CSng(Read("Width")); }
  float Height() override { return CSng(Read("Height")); }
  int16_t TabIndex() override { return CInt(Read("TabIndex")); }
  bool TabStop() override { return CBool(Read("TabStop")); }
  std::string Tag() override { return CStr(Read("Tag")); }
  std::string ControlTipText() override { return CStr(Read("ControlTipText")); }
  int32_t HelpContextID() override { return CLng(Read("HelpContextID")); }
  bool Visible() override { return CBool(Read("Visible")); }
  bool Cancel() override { return CBool(Read("Cancel")); }
  bool Default() override { return CBool(Read("Default")); }
  ObjectRef Parent() override { return CObj(Read("Parent")); }
  ObjectRef Object() override { return CObj(Read("Object")); }
  // A control that is no container, or no scroll bar, lacks the name: the read fails with 438.
  ControlList Controls() override { return ControlsOf(objects(), ReadObject("Controls").get()); }
  int32_t Orientation() override { return CLng(Read("Orientation")); }
};

class DispatchUserForm : public DispatchHostObject<UserForm> {
 public:
  using DispatchHostObject::DispatchHostObject;

  int32_t BackColor() override { return CLng(Read("BackColor")); }
  int32_t ForeColor() override { return CLng(Read("ForeColor")); }
  float InsideWidth() override { return CSng(Read("InsideWidth")); }
  float InsideHeight() override { return CSng(Read("InsideHeight")); }
  std::shared_ptr<Font> GetFont() override { return WrapFont(objects(), ReadObject("Font").get()); }
  ControlList Controls() override { return ControlsOf(objects(), ReadObject("Controls").get()); }
};

}  // namespace

std::shared_ptr<UserForm> WrapUserForm(EditorObjects& objects, IDispatch* form) {
  return objects.WrapAs<DispatchUserForm>(form);
}

std::shared_ptr<Control> WrapControl(EditorObjects& objects, IDispatch* control) {
  return objects.WrapAs<DispatchControl>(control);
}

std::shared_ptr<Font> WrapFont(EditorObjects& objects, IDispatch* font) {
  return objects.WrapAs<DispatchFont>(font);
}

ControlList ControlsOf(EditorObjects& objects, IDispatch* collection) {
  ControlList controls;
  ForEach(collection, [&](const VARIANT& item) {
    controls.push_back(WrapControl(objects, DispatchFromVariant(item).get()));
  });
  return controls;
}

}  // namespace tovalin::win32
