#include "event_views.h"

#include <olectl.h>

#include <new>

#include "com_object.h"
#include "com_ptr.h"
#include "command_bar_views.h"
#include "fake_editor.h"
#include "host/win32/editor_interfaces.h"
#include "owned_variant.h"
#include "view_registry.h"

namespace tovalin::fake {

// Delivers the object model's clicks to a client's sink through IDispatch::Invoke.
class ClickSinkAdapter : public CommandBarClickSink,
                         public std::enable_shared_from_this<ClickSinkAdapter> {
 public:
  ClickSinkAdapter(std::shared_ptr<ViewRegistry> views, ComPtr<IDispatch> sink)
      : views_(std::move(views)), sink_(std::move(sink)) {}

  void Click(const ObjectRef& control, bool& handled, bool& cancel_default) override {
    // The sink may unadvise, and so release this adapter, while it handles the click.
    const std::shared_ptr<ClickSinkAdapter> keep = shared_from_this();
    const ComPtr<IDispatch> sink = sink_;
    if (!sink) return;
    VARIANT_BOOL handled_value = handled ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL cancel_value = cancel_default ? VARIANT_TRUE : VARIANT_FALSE;
    OwnedVariant args[3];  // in reverse order: the control is the last
    args[2].get().vt = VT_DISPATCH;
    args[2].get().pdispVal = views_->ViewOf(control).Detach();
    args[1].get().vt = VT_BYREF | VT_BOOL;
    args[1].get().pboolVal = &handled_value;
    args[0].get().vt = VT_BYREF | VT_BOOL;
    args[0].get().pboolVal = &cancel_value;
    VARIANT raw[3] = {args[0].get(), args[1].get(), args[2].get()};
    DISPPARAMS params{raw, nullptr, 3, 0};
    EXCEPINFO exception{};
    UINT argument_error = 0;
    OwnedVariant result;
    const HRESULT outcome =
        sink->Invoke(win32::kDispidCommandBarClick, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                     &params, &result.get(), &exception, &argument_error);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    RecordClickResult(outcome);
    handled = handled_value != VARIANT_FALSE;
    cancel_default = cancel_value != VARIANT_FALSE;
  }

  void Detach() { sink_.reset(); }

 private:
  std::shared_ptr<ViewRegistry> views_;
  ComPtr<IDispatch> sink_;
};

namespace {

// The connection point of the click events; the container does the work.
class ClickConnectionPoint : public ComObject<IConnectionPoint> {
 public:
  explicit ClickConnectionPoint(CommandBarEventsView* container) : container_(container) {}

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* out) override {
    if (out == nullptr) return E_POINTER;
    *out = win32::kDiidCommandBarEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (out == nullptr) return E_POINTER;
    *out = container_.get();
    container_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    return container_->Advise(sink, cookie);
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override { return container_->Unadvise(cookie); }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IConnectionPoint)) return static_cast<IConnectionPoint*>(this);
    return ComObject::FindInterface(iid);
  }

 private:
  ComPtr<CommandBarEventsView> container_;
};

enum : DISPID { kCommandBarEvents = 1 };
constexpr Member kEventsMembers[] = {
    {"CommandBarEvents", kCommandBarEvents, "CommandBarControl"},
};

}  // namespace

// ---- Events

std::span<const Member> EventsView::Members() const { return kEventsMembers; }

void EventsView::InvokeMember(DISPID, Call& call) {
  const VARIANT& argument = call.args().Required(0);
  IUnknown* object = nullptr;
  if (argument.vt == VT_DISPATCH || argument.vt == VT_UNKNOWN) {
    object = argument.punkVal;
  } else if (argument.vt == (VT_BYREF | VT_DISPATCH) || argument.vt == (VT_BYREF | VT_UNKNOWN)) {
    object = *argument.ppunkVal;
  } else {
    throw DispatchFailure{DISP_E_TYPEMISMATCH, call.args().IndexOf(argument)};
  }
  // Back from the client's pointer to the control it stands for; any other object is no
  // control of this editor, which the object model refuses.
  std::shared_ptr<CommandBarControl> control;
  if (ComPtr<DispatchObject> view = DispatchObject::Of(object)) {
    if (auto* button = dynamic_cast<CommandBarControlView*>(view.get())) {
      control = button->control();
    }
  }
  call.Return(views().ViewFor<CommandBarEventsView>(events_->GetCommandBarEvents(control)));
}

// ---- CommandBarEvents

CommandBarEventsView::CommandBarEventsView(std::shared_ptr<ViewRegistry> views,
                                           std::shared_ptr<CommandBarEvents> source)
    : DispatchObject(std::move(views)), source_(std::move(source)) {}

CommandBarEventsView::~CommandBarEventsView() {
  for (auto& [cookie, adapter] : sinks_) {
    source_->Disconnect(adapter.get());
    adapter->Detach();
  }
}

void* CommandBarEventsView::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    return static_cast<IConnectionPointContainer*>(this);
  }
  return DispatchObject::FindInterface(iid);
}

HRESULT CommandBarEventsView::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (out != nullptr) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT CommandBarEventsView::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, win32::kDiidCommandBarEvents)) return CONNECT_E_NOCONNECTION;
  *out = new (std::nothrow) ClickConnectionPoint(this);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CommandBarEventsView::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie != nullptr) *cookie = 0;
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  try {
    // The sink is called through IDispatch; a sink that answers only the events'
    // dispinterface is called through that, which is an IDispatch too.
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put()))) &&
        FAILED(sink->QueryInterface(win32::kDiidCommandBarEvents,
                                    reinterpret_cast<void**>(dispatch.put())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    if (!dispatch) return CONNECT_E_CANNOTCONNECT;
    auto adapter = std::make_shared<ClickSinkAdapter>(shared_views(), std::move(dispatch));
    source_->Connect(adapter.get());
    const DWORD given = next_cookie_++;
    sinks_.emplace(given, std::move(adapter));
    *cookie = given;
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return CONNECT_E_CANNOTCONNECT;
  }
}

HRESULT CommandBarEventsView::Unadvise(DWORD cookie) {
  try {
    const auto found = sinks_.find(cookie);
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    std::shared_ptr<ClickSinkAdapter> adapter = std::move(found->second);
    sinks_.erase(found);
    source_->Disconnect(adapter.get());
    adapter->Detach();
    retired_.push_back(std::move(adapter));
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace tovalin::fake
