#include "host/win32/command_bar_event_sink.h"

#include <new>
#include <utility>

#include "host/host_error.h"
#include "host/win32/bstr.h"
#include "host/win32/com_ptr.h"
#include "host/win32/dispatch_error.h"
#include "host/win32/editor_interfaces.h"
#include "host/win32/variant_convert.h"

namespace tovalin::win32 {
namespace {

LONG live_sinks = 0;

// A ByRef Boolean argument: VT_BYREF | VT_BOOL, or a Variant by reference that holds a Boolean.
// A Boolean by value is read but cannot be written back.
VARIANT_BOOL* BooleanSlot(VARIANT& arg) {
  if (arg.vt == (VT_BYREF | VT_BOOL)) return arg.pboolVal;
  if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal != nullptr && arg.pvarVal->vt == VT_BOOL) {
    return &arg.pvarVal->boolVal;
  }
  if (arg.vt == VT_BOOL) return &arg.boolVal;
  return nullptr;
}

// The runtime's error as the scode of an EXCEPINFO. It runs inside a catch handler, so nothing
// may leave it.
void FillException(const HostError& error, EXCEPINFO* exception) noexcept {
  if (exception == nullptr) return;
  ZeroMemory(exception, sizeof(*exception));
  exception->scode = HresultFromHostError(error);
  try {
    exception->bstrDescription = Bstr(error.description()).detach();
  } catch (...) {
    // No memory for the text: the number alone goes back.
  }
}

}  // namespace

CommandBarEventSink::CommandBarEventSink(CommandBarClickSink* sink,
                                         std::shared_ptr<EditorObjects> objects)
    : sink_(sink), objects_(std::move(objects)) {
  InterlockedIncrement(&live_sinks);
}

CommandBarEventSink::~CommandBarEventSink() { InterlockedDecrement(&live_sinks); }

LONG LiveCommandBarEventSinks() { return InterlockedCompareExchange(&live_sinks, 0, 0); }

HRESULT STDMETHODCALLTYPE CommandBarEventSink::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, kDiidCommandBarEvents)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CommandBarEventSink::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE CommandBarEventSink::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE CommandBarEventSink::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CommandBarEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** type) {
  if (type == nullptr) return E_POINTER;
  *type = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE CommandBarEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                                             DISPID* dispids) {
  if (dispids != nullptr) {
    for (UINT i = 0; i < count; ++i) dispids[i] = DISPID_UNKNOWN;
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE CommandBarEventSink::Invoke(DISPID dispid, REFIID iid, LCID, WORD,
                                                      DISPPARAMS* params, VARIANT* result,
                                                      EXCEPINFO* exception, UINT* arg_error) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (dispid != kDispidCommandBarClick) return DISP_E_MEMBERNOTFOUND;
  if (params == nullptr) return E_INVALIDARG;
  if (result != nullptr) VariantInit(result);
  // The handler may disconnect this sink, which lets the source release it: stay alive until
  // the call is over.
  ComPtr<IDispatch> self(this);
  try {
    return Click(*params, exception, arg_error);
  } catch (const HostError& error) {
    FillException(error, exception);
    return DISP_E_EXCEPTION;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT CommandBarEventSink::Click(DISPPARAMS& params, EXCEPINFO*, UINT* arg_error) {
  if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (params.cArgs != 3 || params.rgvarg == nullptr) return DISP_E_BADPARAMCOUNT;
  // Arguments arrive last first: rgvarg[2] is the control.
  VARIANT_BOOL* handled = BooleanSlot(params.rgvarg[1]);
  VARIANT_BOOL* cancel_default = BooleanSlot(params.rgvarg[0]);
  if (handled == nullptr || cancel_default == nullptr) {
    if (arg_error != nullptr) *arg_error = handled == nullptr ? 1 : 0;
    return DISP_E_TYPEMISMATCH;
  }
  ObjectRef control;
  try {
    const Variant value = FromVariant(params.rgvarg[2], *objects_);
    if (value.type() == VarType::kObject) control = value.object();
  } catch (const HostError&) {
    // The handler does not need the control; the click is still delivered.
  }
  bool handled_value = *handled != VARIANT_FALSE;
  bool cancel_value = *cancel_default != VARIANT_FALSE;
  if (CommandBarClickSink* sink = sink_) sink->Click(control, handled_value, cancel_value);
  *handled = handled_value ? VARIANT_TRUE : VARIANT_FALSE;
  *cancel_default = cancel_value ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

}  // namespace tovalin::win32
