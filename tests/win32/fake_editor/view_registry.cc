#include "view_registry.h"

#include "command_bar_views.h"
#include "form_views.h"

namespace tovalin::fake {
namespace {

// Late-bound names get numbers far above every member's, so that the two never meet.
constexpr DISPID kFirstLateBoundId = 0x10000;
constexpr size_t kMaxLateBoundNames = 100000;

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

ComPtr<IDispatch> ViewRegistry::ViewOf(const ObjectRef& object) {
  if (object == nullptr) return {};
  if (auto form = std::dynamic_pointer_cast<UserForm>(object)) return ViewFor<FormView>(form);
  if (auto control = std::dynamic_pointer_cast<Control>(object)) {
    return ViewFor<ControlView>(control);
  }
  if (auto font = std::dynamic_pointer_cast<Font>(object)) return ViewFor<FontView>(font);
  if (auto button = std::dynamic_pointer_cast<CommandBarControl>(object)) {
    return ViewFor<CommandBarControlView>(button);
  }
  return ViewFor<LateBoundView>(object);
}

std::optional<DISPID> ViewRegistry::LateBoundId(std::string_view name) {
  std::string key = LowerAscii(name);
  if (auto found = late_bound_ids_.find(key); found != late_bound_ids_.end()) {
    return found->second;
  }
  if (late_bound_names_.size() >= kMaxLateBoundNames) return std::nullopt;
  const DISPID id = kFirstLateBoundId + static_cast<DISPID>(late_bound_names_.size());
  late_bound_names_.emplace_back(name);
  late_bound_ids_.emplace(std::move(key), id);
  return id;
}

const std::string* ViewRegistry::LateBoundName(DISPID id) const {
  if (id < kFirstLateBoundId) return nullptr;
  const auto index = static_cast<size_t>(id - kFirstLateBoundId);
  return index < late_bound_names_.size() ? &late_bound_names_[index] : nullptr;
}

}  // namespace tovalin::fake
