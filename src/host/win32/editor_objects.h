// EditorObjects: the identity map of one editor's objects. The engine compares objects by
// pointer (a control's Parent.Object against a Frame's Object), so the same COM object must
// always yield the same wrapper while that wrapper lives. Objects are keyed by their IUnknown
// (QueryInterface for IID_IUnknown, the COM identity); the map holds its wrappers weakly, so it
// keeps no editor object alive.
//
// One COM object can be wrapped under several interfaces (a control read from a Controls
// collection is a Control; the same object read as a Variant is a plain object): a typed request
// returns a live wrapper that has the type when there is one, and a plain request returns the
// object's first wrapper that is still alive.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "host/object_model.h"
#include "host/win32/com_ptr.h"
#include "host/win32/variant_convert.h"

namespace tovalin::win32 {

class EditorObjects : public DispatchObjectFactory,
                      public std::enable_shared_from_this<EditorObjects> {
 public:
  static std::shared_ptr<EditorObjects> Create();

  // The object as a plain host object (TypeName and reads by name); null for null.
  ObjectRef Wrap(IDispatch* object) override;

  // The object's wrapper of type T, a HostObject and DispatchHolder constructed from
  // (ComPtr<IDispatch>, std::shared_ptr<EditorObjects>); null for null.
  template <typename T>
  std::shared_ptr<T> WrapAs(IDispatch* object) {
    if (object == nullptr) return nullptr;
    Sweep();
    Entry& entry = EntryFor(object);
    for (const std::weak_ptr<HostObject>& weak : entry.wrappers) {
      if (auto typed = std::dynamic_pointer_cast<T>(weak.lock())) return typed;
    }
    auto created = std::make_shared<T>(ComPtr<IDispatch>(object), shared_from_this());
    Remember(entry, created);
    return created;
  }

  // The number of COM objects with an entry, live or not yet swept.
  size_t size() const { return entries_.size(); }

 private:
  EditorObjects() = default;

  struct Entry {
    std::weak_ptr<HostObject> identity;
    std::vector<std::weak_ptr<HostObject>> wrappers;
  };

  Entry& EntryFor(IDispatch* object);
  static void Remember(Entry& entry, const std::shared_ptr<HostObject>& wrapper);
  // Drops the entries whose wrappers have all gone, once the map has doubled since the last
  // sweep: the cost stays proportional to the wrappers made.
  void Sweep();

  std::unordered_map<IUnknown*, Entry> entries_;
  size_t sweep_at_ = 64;
};

}  // namespace tovalin::win32
