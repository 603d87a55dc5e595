#include "host/object_model.h"

#include "host/command_bars.h"

#include "host/host_error.h"

namespace tovalin {

Variant HostObject::Get(std::string_view) { throw HostError(kErrNoSuchMember); }

std::string TypeName(const HostObject* object) {
  return object == nullptr ? "Nothing" : object->TypeName();
}

Variant GetProperty(const ObjectRef& object, std::string_view name) {
  if (object == nullptr) throw HostError(kErrObjectNotSet);
  return object->Get(name);
}

ControlList Control::Controls() { throw HostError(kErrNoSuchMember); }

std::shared_ptr<CommandBars> Vbe::GetCommandBars() { throw HostError(kErrNoSuchMember); }

std::shared_ptr<VbeEvents> Vbe::GetEvents() { throw HostError(kErrNoSuchMember); }
int32_t Control::Orientation() { throw HostError(kErrNoSuchMember); }

}  // namespace tovalin
