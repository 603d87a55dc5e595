#include "host/win32/dispatch_object_model.h"

#include <utility>
#include <vector>

#include "host/host_error.h"
#include "host/win32/dispatch_call.h"
#include "host/win32/dispatch_command_bars.h"
#include "host/win32/dispatch_enum.h"
#include "host/win32/dispatch_forms.h"
#include "host/win32/dispatch_holder.h"
#include "host/win32/variant_convert.h"

namespace tovalin::win32 {
namespace {

// Wrappers of the extensibility objects. They are not host objects (nothing compares or names
// them), so each read makes a new one.
template <typename Interface>
class Wrapper : public Interface, public DispatchHolder {
 public:
  Wrapper(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}
};

template <typename T>
std::shared_ptr<T> Make(const std::shared_ptr<EditorObjects>& objects, ComPtr<IDispatch> object) {
  if (!object) return nullptr;
  return std::make_shared<T>(std::move(object), objects);
}

// For Each over a collection whose items are all objects of the editor.
template <typename T, typename Result>
std::vector<std::shared_ptr<Result>> Collect(const std::shared_ptr<EditorObjects>& objects,
                                             IDispatch* collection) {
  std::vector<std::shared_ptr<Result>> items;
  ForEach(collection, [&](const VARIANT& item) {
    ComPtr<IDispatch> object = DispatchFromVariant(item);
    if (!object) throw HostError(kErrObjectNotSet);
    items.push_back(Make<T>(objects, std::move(object)));
  });
  return items;
}

class DispatchCodeModule : public Wrapper<CodeModule> {
 public:
  using Wrapper::Wrapper;

  int32_t CountOfLines() override { return CLng(Read("CountOfLines")); }
  std::string Lines(int32_t start, int32_t count) override {
    const VARIANT args[] = {LongArgument(start), LongArgument(count)};
    return CStr(Read("Lines", args));
  }
};

class DispatchReference : public Wrapper<Reference> {
 public:
  using Wrapper::Wrapper;

  std::string Name() override { return CStr(Read("Name")); }
  bool IsBroken() override { return CBool(Read("IsBroken")); }
};

class DispatchComponent : public Wrapper<VbComponent> {
 public:
  using Wrapper::Wrapper;

  std::string Name() override { return CStr(Read("Name")); }
  int32_t Type() override { return CLng(Read("Type")); }
  std::shared_ptr<UserForm> Designer() override {
    return WrapUserForm(objects(), ReadObject("Designer").get());
  }
  Variant PropertyValue(std::string_view name) override {
    const ComPtr<IDispatch> properties = ReadObject("Properties");
    const UniqueVariant key = ToVariant(Variant::String(std::string(name)));
    const VARIANT args[] = {key.get()};
    const ComPtr<IDispatch> property =
        DispatchFromVariant(GetProperty(properties.get(), "Item", args).get());
    return FromVariant(GetProperty(property.get(), "Value").get(), objects());
  }
  std::shared_ptr<CodeModule> GetCodeModule() override {
    return Make<DispatchCodeModule>(editor_objects(), ReadObject("CodeModule"));
  }
};

class DispatchProject : public Wrapper<VbProject> {
 public:
  using Wrapper::Wrapper;

  std::string Name() override { return CStr(Read("Name")); }
  std::vector<std::shared_ptr<VbComponent>> VBComponents() override {
    return Collect<DispatchComponent, VbComponent>(editor_objects(),
                                                   ReadObject("VBComponents").get());
  }
  std::vector<std::shared_ptr<Reference>> References() override {
    return Collect<DispatchReference, Reference>(editor_objects(), ReadObject("References").get());
  }
};

class DispatchVbe : public Wrapper<Vbe> {
 public:
  using Wrapper::Wrapper;

  std::shared_ptr<VbProject> ActiveVBProject() override {
    return Make<DispatchProject>(editor_objects(), ReadObject("ActiveVBProject"));
  }
  std::shared_ptr<VbComponent> SelectedVBComponent() override {
    return Make<DispatchComponent>(editor_objects(), ReadObject("SelectedVBComponent"));
  }
  std::shared_ptr<CommandBars> GetCommandBars() override {
    return WrapCommandBars(editor_objects(), ReadObject("CommandBars").get());
  }
  std::shared_ptr<VbeEvents> GetEvents() override {
    return WrapVbeEvents(editor_objects(), ReadObject("Events").get());
  }
};

}  // namespace

std::shared_ptr<Vbe> WrapVbe(const std::shared_ptr<EditorObjects>& objects, IDispatch* vbe) {
  return Make<DispatchVbe>(objects, ComPtr<IDispatch>(vbe));
}

std::shared_ptr<VbComponent> WrapComponent(const std::shared_ptr<EditorObjects>& objects,
                                           IDispatch* component) {
  return Make<DispatchComponent>(objects, ComPtr<IDispatch>(component));
}

}  // namespace tovalin::win32
