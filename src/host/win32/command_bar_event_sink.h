// CommandBarEventSink: the COM object advised to a command-bar control's event source. It
// answers QueryInterface for IUnknown, IDispatch and the command-bar events dispinterface, and
// turns Invoke of the Click event (DISPID 1) into CommandBarClickSink::Click, writing the two
// ByRef Booleans back. No C++ exception leaves it: a failure of the handler is returned as
// DISP_E_EXCEPTION with the error's number and description.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "host/command_bars.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32 {

class CommandBarEventSink final : public IDispatch {
 public:
  // Starts with one reference, the caller's. `sink` may be null (clicks are then ignored).
  CommandBarEventSink(CommandBarClickSink* sink, std::shared_ptr<EditorObjects> objects);
  CommandBarEventSink(const CommandBarEventSink&) = delete;
  CommandBarEventSink& operator=(const CommandBarEventSink&) = delete;

  // Stops delivering clicks: the event source may hold the object for a while after Unadvise.
  void Detach() noexcept { sink_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** type) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* dispids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* arg_error) override;

 private:
  ~CommandBarEventSink();
  HRESULT Click(DISPPARAMS& params, EXCEPINFO* exception, UINT* arg_error);

  LONG references_ = 1;
  CommandBarClickSink* sink_;
  std::shared_ptr<EditorObjects> objects_;
};

// The sinks alive in this module; the module may unload only when there are none.
LONG LiveCommandBarEventSinks();

}  // namespace tovalin::win32
