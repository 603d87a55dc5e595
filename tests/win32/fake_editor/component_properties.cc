#include "component_properties.h"

#include "host/host_error.h"
#include "view_registry.h"

namespace tovalin::fake {
namespace {

enum : DISPID { kName = 1 };

constexpr Member kPropertiesMembers[] = {
    {"Item", DISPID_VALUE, "Index"},
};
constexpr Member kPropertyMembers[] = {
    {"Value", DISPID_VALUE},
    {"Name", kName},
};

}  // namespace

std::span<const Member> PropertiesView::Members() const { return kPropertiesMembers; }

void PropertiesView::InvokeMember(DISPID, Call& call) {
  // The component lists no names, so only Item(name) is offered.
  const VARIANT& index = call.args().Required(0);
  if (index.vt != VT_BSTR && index.vt != (VT_BYREF | VT_BSTR)) {
    throw HostError(kErrSubscriptOutOfRange);
  }
  call.Return(ComPtr<IDispatch>::Adopt(
      new PropertyView(shared_views(), component_, call.args().String(index))));
}

std::span<const Member> PropertyView::Members() const { return kPropertyMembers; }

void PropertyView::InvokeMember(DISPID id, Call& call) {
  if (id == kName) {
    call.Return(Variant::String(name_));
  } else {
    call.Return(component_->PropertyValue(name_));
  }
}

}  // namespace tovalin::fake
