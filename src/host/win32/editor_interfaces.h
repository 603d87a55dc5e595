// The editor's interfaces that the add-in implements or calls, declared here in C++ only. They
// must never appear in the add-in's type library: registering it would point the shared
// Interface keys of every add-in on the machine at this module.
#pragma once

#include <oaidl.h>
#include <objbase.h>

namespace tovalin::win32 {

// The add-in designer's connection interface, which the editor calls on a loaded add-in.
// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr IID kIidExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

// ext_ConnectMode and ext_DisconnectMode are 32-bit enumerations.
// NOLINTNEXTLINE(cppcoreguidelines-special-member-functions): a COM interface.
struct IExtensibility2 : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connect_mode,
                                                 IDispatch* add_in_inst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG remove_mode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

// The click events of a command-bar control (the dispinterface that
// VBE.Events.CommandBarEvents(control) sources through IConnectionPointContainer).
// {0002E131-0000-0000-C000-000000000046}
inline constexpr IID kDiidCommandBarEvents = {
    0x0002E131, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Click(CommandBarControl As Object, handled As Boolean, CancelDefault As Boolean): the first
// by value (VT_DISPATCH), the other two ByRef (VT_BYREF | VT_BOOL). As with every Invoke, the
// arguments arrive in reverse order: rgvarg[2] is the control.
inline constexpr DISPID kDispidCommandBarClick = 1;

}  // namespace tovalin::win32
