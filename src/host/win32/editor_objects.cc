#include "host/win32/editor_objects.h"

#include <algorithm>

#include "host/win32/dispatch_host_object.h"

namespace tovalin::win32 {
namespace {

// An editor object with nothing typed about it: TypeName and reads by name.
class DispatchObject : public DispatchHostObject<HostObject> {
 public:
  using DispatchHostObject::DispatchHostObject;
};

}  // namespace

std::shared_ptr<EditorObjects> EditorObjects::Create() {
  return std::shared_ptr<EditorObjects>(new EditorObjects());
}

ObjectRef EditorObjects::Wrap(IDispatch* object) {
  if (object == nullptr) return nullptr;
  Sweep();
  Entry& entry = EntryFor(object);
  if (ObjectRef identity = entry.identity.lock()) return identity;
  for (const std::weak_ptr<HostObject>& weak : entry.wrappers) {
    if (ObjectRef live = weak.lock()) {
      entry.identity = live;
      return live;
    }
  }
  auto created = std::make_shared<DispatchObject>(ComPtr<IDispatch>(object), shared_from_this());
  Remember(entry, created);
  return created;
}

EditorObjects::Entry& EditorObjects::EntryFor(IDispatch* object) {
  // The wrapper made for this entry holds the object, so the identity pointer stays valid (and
  // unique) for as long as the entry can be found alive.
  ComPtr<IUnknown> identity = ComPtr<IDispatch>(object).Query<IUnknown>(IID_IUnknown);
  IUnknown* key = identity ? identity.get() : object;
  return entries_[key];
}

void EditorObjects::Remember(Entry& entry, const std::shared_ptr<HostObject>& wrapper) {
  std::erase_if(entry.wrappers, [](const std::weak_ptr<HostObject>& w) { return w.expired(); });
  entry.wrappers.push_back(wrapper);
  if (entry.identity.expired()) entry.identity = wrapper;
}

void EditorObjects::Sweep() {
  if (entries_.size() < sweep_at_) return;
  std::erase_if(entries_, [](const auto& item) {
    const Entry& entry = item.second;
    return std::all_of(entry.wrappers.begin(), entry.wrappers.end(),
                       [](const std::weak_ptr<HostObject>& w) { return w.expired(); });
  });
  sweep_at_ = std::max<size_t>(64, 2 * entries_.size());
}

}  // namespace tovalin::win32
