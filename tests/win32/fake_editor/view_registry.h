// The views of one fake editor: the COM object that stands for each object of the model, and the
// dispatch numbers of names read late-bound.
//
// A model object has one view while that view lives: asking again gives the same IDispatch
// pointer, so that the client's identity comparisons (a control's Parent.Object against its
// container's Object) hold as they do in the editor. The registry does not keep views alive; a
// view leaves it when its last reference goes. Views keep the registry, and the registry keeps
// the model's root, alive. Use the views from one thread, as the editor's objects are.
#pragma once

#include <oaidl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "com_ptr.h"
#include "dispatch_object.h"
#include "host/object_model.h"

namespace tovalin::fake {

class ViewRegistry : public std::enable_shared_from_this<ViewRegistry> {
 public:
  // `root` is kept alive as long as any view is: the model's parents are weak references.
  explicit ViewRegistry(std::shared_ptr<void> root) : root_(std::move(root)) {}

  // The view of class `View` over `model` (null for a null model). `View` is constructed from
  // (shared_ptr<ViewRegistry>, shared_ptr<View::Model>).
  template <typename View>
  ComPtr<IDispatch> ViewFor(const std::shared_ptr<typename View::Model>& model);

  // The view of a host object by its type: a form, a control, a font, a command-bar control,
  // or any other object answering its reads by name. Null for Nothing.
  ComPtr<IDispatch> ViewOf(const ObjectRef& object);

  // The dispatch number of a name read late-bound (the same for every spelling of it), or
  // nullopt when the registry holds as many names as it takes.
  std::optional<DISPID> LateBoundId(std::string_view name);
  // The name of a late-bound dispatch number, or null.
  const std::string* LateBoundName(DISPID id) const;

 private:
  friend class DispatchObject;
  using CacheKey = std::pair<const void*, std::type_index>;
  void Forget(const CacheKey& key) { views_.erase(key); }

  std::shared_ptr<void> root_;
  std::map<CacheKey, DispatchObject*> views_;
  std::unordered_map<std::string, DISPID> late_bound_ids_;
  std::vector<std::string> late_bound_names_;
};

template <typename View>
ComPtr<IDispatch> ViewRegistry::ViewFor(const std::shared_ptr<typename View::Model>& model) {
  if (model == nullptr) return {};
  // The most derived object is the identity: the same object seen through different bases is
  // one object.
  const CacheKey key{dynamic_cast<const void*>(model.get()), std::type_index(typeid(View))};
  if (auto found = views_.find(key); found != views_.end()) {
    return ComPtr<IDispatch>(found->second);
  }
  auto view = ComPtr<View>::Adopt(new View(shared_from_this(), model));
  DispatchObject* base = view.get();
  views_.emplace(key, base);
  base->cache_key_ = key;
  return view;
}

}  // namespace tovalin::fake
