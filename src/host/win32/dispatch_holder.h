// DispatchHolder: the common base of every wrapper of an editor object. It holds the object's
// IDispatch and the editor's identity map (editor_objects.h), and reads the object late-bound.
// DispatchOf gives the IDispatch back from any wrapper, for handing an object to COM again.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <span>
#include <string_view>

#include "host/variant.h"
#include "host/win32/com_ptr.h"
#include "host/win32/unique_variant.h"

namespace tovalin::win32 {

class EditorObjects;

class DispatchHolder {
 public:
  virtual ~DispatchHolder() = default;
  DispatchHolder(const DispatchHolder&) = delete;
  DispatchHolder& operator=(const DispatchHolder&) = delete;

  // Not null. Borrowed: valid while the wrapper lives.
  IDispatch* dispatch() const { return dispatch_.get(); }
  // The identity map of the editor the object belongs to.
  const std::shared_ptr<EditorObjects>& editor_objects() const { return objects_; }

 protected:
  DispatchHolder(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects);

  EditorObjects& objects() const { return *objects_; }

  // obj.name(args...) as a Variant; objects come wrapped through the identity map.
  Variant Read(std::string_view name, std::span<const VARIANT> args = {}) const;
  // obj.name(args...) as an object: null for Nothing, 424 for a value that is not an object.
  ComPtr<IDispatch> ReadObject(std::string_view name, std::span<const VARIANT> args = {}) const;

 private:
  ComPtr<IDispatch> dispatch_;
  std::shared_ptr<EditorObjects> objects_;
};

// The IDispatch of a wrapper (borrowed: AddRef it to hand it out), null for Nothing and for
// objects that do not come from the editor.
template <typename T>
IDispatch* DispatchOf(const T* object) {
  const auto* holder = dynamic_cast<const DispatchHolder*>(object);
  return holder == nullptr ? nullptr : holder->dispatch();
}
template <typename T>
IDispatch* DispatchOf(const std::shared_ptr<T>& object) {
  return DispatchOf(object.get());
}

}  // namespace tovalin::win32
