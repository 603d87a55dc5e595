#include "form_views.h"

#include "collection_view.h"
#include "host/host_error.h"
#include "view_registry.h"

namespace tovalin::fake {

ComPtr<IDispatch> NewControlsCollection(const std::shared_ptr<ViewRegistry>& views,
                                        const ControlList& controls) {
  CollectionItems items;
  items.reserve(controls.size());
  for (const std::shared_ptr<Control>& control : controls) {
    items.push_back({views->ViewOf(control), [control] {
                       if (control == nullptr) throw HostError(kErrObjectNotSet);
                       return control->Name();
                     }});
  }
  return NewCollection(views, "Controls", std::move(items));
}

// ---- UserForm

namespace {
enum : DISPID { kBackColor = 1, kForeColor, kInsideWidth, kInsideHeight, kFont, kFormControls };
constexpr Member kFormMembers[] = {
    {"BackColor", kBackColor},       {"ForeColor", kForeColor}, {"InsideWidth", kInsideWidth},
    {"InsideHeight", kInsideHeight}, {"Font", kFont},           {"Controls", kFormControls},
};
}  // namespace

std::span<const Member> FormView::Members() const { return kFormMembers; }

void FormView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case kBackColor:
      call.Return(Variant::Long(form_->BackColor()));
      return;
    case kForeColor:
      call.Return(Variant::Long(form_->ForeColor()));
      return;
    case kInsideWidth:
      call.Return(Variant::Single(form_->InsideWidth()));
      return;
    case kInsideHeight:
      call.Return(Variant::Single(form_->InsideHeight()));
      return;
    case kFont:
      call.Return(views().ViewOf(form_->GetFont()));
      return;
    case kFormControls:
      call.Return(NewControlsCollection(shared_views(), form_->Controls()));
      return;
  }
}

// ---- Controls

namespace {
enum : DISPID {
  kName = 1,
  kLeft,
  kTop,
  kWidth,
  kHeight,
  kTabIndex,
  kTabStop,
  kTag,
  kControlTipText,
  kHelpContextID,
  kVisible,
  kCancel,
  kDefault,
  kParent,
  kObject,
  kControls,
};
// Orientation is not a member: it is read by name, so that the value comes back as stored and
// the client's conversion gives what the object model's Orientation gives.
constexpr Member kControlMembers[] = {
    {"Name", kName},
    {"Left", kLeft},
    {"Top", kTop},
    {"Width", kWidth},
    {"Height", kHeight},
    {"TabIndex", kTabIndex},
    {"TabStop", kTabStop},
    {"Tag", kTag},
    {"ControlTipText", kControlTipText},
    {"HelpContextID", kHelpContextID},
    {"Visible", kVisible},
    {"Cancel", kCancel},
    {"Default", kDefault},
    {"Parent", kParent},
    {"Object", kObject},
    {"Controls", kControls},
};
}  // namespace

std::span<const Member> ControlView::Members() const { return kControlMembers; }

void ControlView::InvokeMember(DISPID id, Call& call) {
  Control& c = *control_;
  switch (id) {
    case kName:
      return call.Return(Variant::String(c.Name()));
    case kLeft:
      return call.Return(Variant::Single(c.Left()));
    case kTop:
      return call.Return(Variant::Single(c.Top()));
    case kWidth:
      return call.Return(Variant::Single(c.Width()));
    case kHeight:
      return call.Return(Variant::Single(c.Height()));
    case kTabIndex:
      return call.Return(Variant::Integer(c.TabIndex()));
    case kTabStop:
      return call.Return(Variant::Boolean(c.TabStop()));
    case kTag:
      return call.Return(Variant::String(c.Tag()));
    case kControlTipText:
      return call.Return(Variant::String(c.ControlTipText()));
    case kHelpContextID:
      return call.Return(Variant::Long(c.HelpContextID()));
    case kVisible:
      return call.Return(Variant::Boolean(c.Visible()));
    case kCancel:
      return call.Return(Variant::Boolean(c.Cancel()));
    case kDefault:
      return call.Return(Variant::Boolean(c.Default()));
    case kParent:
      return call.Return(views().ViewOf(c.Parent()));
    case kObject:
      return call.Return(views().ViewOf(c.Object()));
    case kControls:
      return call.Return(NewControlsCollection(shared_views(), c.Controls()));
  }
}

// ---- Font

namespace {
// Dispatch number 1 holds no font value; it is listed so that a read of it fails as the
// object model's does (438) instead of being an unknown member.
constexpr Member kFontMembers[] = {
    {"Name", Font::kName},
    {"", 1},
    {"Size", Font::kSize},
    {"Bold", Font::kBold},
    {"Italic", Font::kItalic},
    {"Underline", Font::kUnderline},
    {"Strikethrough", Font::kStrikethrough},
    {"Weight", Font::kWeight},
    {"Charset", Font::kCharset},
};
}  // namespace

std::span<const Member> FontView::Members() const { return kFontMembers; }

void FontView::InvokeMember(DISPID id, Call& call) { call.Return(font_->GetByDispId(id)); }

}  // namespace tovalin::fake
