#include "host/win32/dispatch_command_bars.h"

#include <ocidl.h>

#include <vector>

#include "host/host_error.h"
#include "host/win32/command_bar_event_sink.h"
#include "host/win32/dispatch_call.h"
#include "host/win32/dispatch_error.h"
#include "host/win32/dispatch_host_object.h"
#include "host/win32/editor_interfaces.h"
#include "host/win32/variant_convert.h"

namespace tovalin::win32 {
namespace {

// The runtime's error when an object has no events to bind.
constexpr int32_t kErrNoEvents = 459;
constexpr char kNoEventsText[] = "Object or class does not support the set of events";

class DispatchCommandBarControl : public DispatchHostObject<CommandBarControl> {
 public:
  using DispatchHostObject::DispatchHostObject;

  void SetCaption(const std::string& caption) override {
    const UniqueVariant value = ToVariant(Variant::String(caption));
    PutProperty(dispatch(), "Caption", value.get());
  }
  void Delete() override { CallMethod(dispatch(), "Delete"); }
};

class DispatchCommandBarControls : public CommandBarControls, public DispatchHolder {
 public:
  DispatchCommandBarControls(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}

  // Add(Type, , , , Temporary): Id, Parameter and Before omitted, so the control goes last.
  std::shared_ptr<CommandBarControl> Add(int32_t type, bool temporary) override {
    const VARIANT args[] = {LongArgument(type), MissingArgument(), MissingArgument(),
                            MissingArgument(), BooleanArgument(temporary)};
    const ComPtr<IDispatch> control =
        DispatchFromVariant(CallMethod(dispatch(), "Add", args).get());
    return WrapCommandBarControl(objects(), control.get());
  }
};

class DispatchCommandBar : public CommandBar, public DispatchHolder {
 public:
  DispatchCommandBar(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}

  std::shared_ptr<CommandBarControls> Controls() override {
    ComPtr<IDispatch> controls = ReadObject("Controls");
    if (!controls) return nullptr;
    return std::make_shared<DispatchCommandBarControls>(std::move(controls), editor_objects());
  }
};

class DispatchCommandBars : public CommandBars, public DispatchHolder {
 public:
  DispatchCommandBars(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}

  std::shared_ptr<CommandBar> Item(const Variant& index) override {
    const UniqueVariant arg = ToVariant(index);
    const VARIANT args[] = {arg.get()};
    ComPtr<IDispatch> bar = ReadObject("Item", args);
    if (!bar) return nullptr;
    return std::make_shared<DispatchCommandBar>(std::move(bar), editor_objects());
  }
};

class DispatchCommandBarEvents : public CommandBarEvents, public DispatchHolder {
 public:
  DispatchCommandBarEvents(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}
  ~DispatchCommandBarEvents() override {
    for (Connection& connection : connections_) Unadvise(connection);
  }

  void Connect(CommandBarClickSink* sink) override {
    if (sink == nullptr) throw HostError(kErrInvalidCall);
    const auto container = ComPtr<IDispatch>(dispatch())
                               .Query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) throw HostError(kErrNoEvents, kNoEventsText);
    ComPtr<IConnectionPoint> point;
    HRESULT hr = container->FindConnectionPoint(kDiidCommandBarEvents, point.put());
    if (FAILED(hr) || !point) throw HostError(kErrNoEvents, kNoEventsText);
    // Room first, so that nothing can fail between Advise and remembering its cookie.
    connections_.reserve(connections_.size() + 1);
    auto com_sink =
        ComPtr<CommandBarEventSink>::Attach(new CommandBarEventSink(sink, editor_objects()));
    DWORD cookie = 0;
    hr = point->Advise(com_sink.get(), &cookie);
    if (FAILED(hr)) {
      com_sink->Detach();
      throw HostErrorFromHresult(hr);
    }
    connections_.push_back(Connection{sink, std::move(point), std::move(com_sink), cookie});
  }

  void Disconnect(CommandBarClickSink* sink) noexcept override {
    std::erase_if(connections_, [&](Connection& connection) {
      if (connection.sink != sink) return false;
      Unadvise(connection);
      return true;
    });
  }

 private:
  struct Connection {
    CommandBarClickSink* sink;
    ComPtr<IConnectionPoint> point;
    ComPtr<CommandBarEventSink> com_sink;
    DWORD cookie;
  };

  static void Unadvise(Connection& connection) noexcept {
    connection.com_sink->Detach();
    connection.point->Unadvise(connection.cookie);
  }

  std::vector<Connection> connections_;
};

class DispatchVbeEvents : public VbeEvents, public DispatchHolder {
 public:
  DispatchVbeEvents(ComPtr<IDispatch> dispatch, std::shared_ptr<EditorObjects> objects)
      : DispatchHolder(std::move(dispatch), std::move(objects)) {}

  // The CommandBarEvents property, read with the control as its argument.
  std::shared_ptr<CommandBarEvents> GetCommandBarEvents(
      const std::shared_ptr<CommandBarControl>& control) override {
    IDispatch* control_dispatch = DispatchOf(control);
    if (control != nullptr && control_dispatch == nullptr) throw HostError(kErrTypeMismatch);
    const VARIANT args[] = {DispatchArgument(control_dispatch)};
    return WrapCommandBarEvents(editor_objects(), ReadObject("CommandBarEvents", args).get());
  }
};

}  // namespace

std::shared_ptr<CommandBars> WrapCommandBars(const std::shared_ptr<EditorObjects>& objects,
                                             IDispatch* bars) {
  if (bars == nullptr) return nullptr;
  return std::make_shared<DispatchCommandBars>(ComPtr<IDispatch>(bars), objects);
}

std::shared_ptr<VbeEvents> WrapVbeEvents(const std::shared_ptr<EditorObjects>& objects,
                                         IDispatch* events) {
  if (events == nullptr) return nullptr;
  return std::make_shared<DispatchVbeEvents>(ComPtr<IDispatch>(events), objects);
}

std::shared_ptr<CommandBarControl> WrapCommandBarControl(EditorObjects& objects,
                                                         IDispatch* control) {
  return objects.WrapAs<DispatchCommandBarControl>(control);
}

std::shared_ptr<CommandBarEvents> WrapCommandBarEvents(
    const std::shared_ptr<EditorObjects>& objects, IDispatch* events) {
  if (events == nullptr) return nullptr;
  return std::make_shared<DispatchCommandBarEvents>(ComPtr<IDispatch>(events), objects);
}

}  // namespace tovalin::win32
