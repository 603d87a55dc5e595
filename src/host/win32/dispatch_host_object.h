// DispatchHostObject: a host object interface (HostObject, Control, UserForm, Font, ...)
// implemented over an editor object's IDispatch: TypeName from the object's type information
// (read once), reads by name late-bound.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/object_model.h"
#include "host/win32/dispatch_holder.h"
#include "host/win32/type_name.h"

namespace tovalin::win32 {

template <typename Interface>
class DispatchHostObject : public Interface, public DispatchHolder {
 public:
  DispatchHostObject(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}

  std::string TypeName() const override {
    if (!type_name_) type_name_ = DispatchTypeName(dispatch());
    return *type_name_;
  }
  Variant Get(std::string_view name) override { return Read(name); }

 private:
  mutable std::optional<std::string> type_name_;
};

}  // namespace tovalin::win32
