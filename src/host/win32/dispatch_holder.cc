#include "host/win32/dispatch_holder.h"

#include <utility>

#include "host/win32/dispatch_call.h"
#include "host/win32/editor_objects.h"
#include "host/win32/variant_convert.h"

namespace tovalin::win32 {

DispatchHolder::DispatchHolder(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
    : dispatch_(std::move(dispatch)), objects_(std::move(objects)) {}

Variant DispatchHolder::Read(std::string_view name, std::span<const VARIANT> args) const {
  return FromVariant(GetProperty(dispatch(), name, args).get(), *objects_);
}

ComPtr<IDispatch> DispatchHolder::ReadObject(std::string_view name,
                                             std::span<const VARIANT> args) const {
  return DispatchFromVariant(GetProperty(dispatch(), name, args).get());
}

}  // namespace tovalin::win32
