// The COM object the editor creates for the add-in: the _AddIn dual interface (its three
// properties, dispatched through the module's type library) and the editor's connection
// interface, whose two events it hands to the portable connection logic (tovalin::AddIn).
#pragma once

#include <windows.h>

#include "addin/add_in.h"
#include "addin/win32/export_dialog.h"
#include "addin/win32/module.h"
#include "host/win32/editor_interfaces.h"
#include "tovalin_idl.h"

namespace tovalin::win32 {

class AddInObject final : public ::_AddIn, public IExtensibility2 {
 public:
  // A new object with one reference, in *object; fails when the type library cannot be read.
  static HRESULT Create(AddInObject** object);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch, shared by both interfaces: it serves _AddIn's members. The connection interface
  // is called through its vtable.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** type_info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

  // _AddIn
  HRESULT STDMETHODCALLTYPE get_IDE(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_IDE(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_MenuItem(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_MenuItem(IDispatch* value) override;
  HRESULT STDMETHODCALLTYPE get_MenuItemHandler(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_MenuItemHandler(IDispatch* value) override;

  // IExtensibility2
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connect_mode,
                                         IDispatch* add_in_inst, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(LONG remove_mode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

 private:
  explicit AddInObject(ITypeInfo* type_info);
  ~AddInObject();
  AddInObject(const AddInObject&) = delete;
  AddInObject& operator=(const AddInObject&) = delete;

  ModuleReference module_;  // first: released after the members below
  LONG references_ = 1;
  ITypeInfo* type_info_;  // _AddIn's, owned
  Win32ExportDialogFactory dialogs_;
  AddIn add_in_{dialogs_};
};

}  // namespace tovalin::win32
