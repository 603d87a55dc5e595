#include "addin/win32/addin_object.h"

#include <oleauto.h>

#include <memory>
#include <string>

#include "addin/win32/addin_ids.h"
#include "addin/win32/com_boundary.h"
#include "addin/win32/module.h"
#include "host/host_error.h"
#include "host/win32/dispatch_editor.h"

namespace tovalin::win32 {
namespace {

// _AddIn's type information from the module's own type library, which is read from the module
// file itself so that dispatch works before (and without) registration.
HRESULT LoadAddInTypeInfo(ITypeInfo** type_info) {
  const std::wstring path = ModulePath();
  if (path.empty()) return E_FAIL;
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(kIidAddIn, type_info);
  library->Release();
  return hr;
}

// A property get: the COM object behind the member, with a reference for the caller, or
// Nothing.
template <typename Wrapper>
HRESULT GetMember(const std::shared_ptr<Wrapper>& member, IDispatch** value) {
  if (value == nullptr) return E_POINTER;
  *value = DispatchOf(member);
  if (*value != nullptr) (*value)->AddRef();
  return S_OK;
}

}  // namespace

HRESULT AddInObject::Create(AddInObject** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  ITypeInfo* type_info = nullptr;
  const HRESULT hr = ComBoundary([&] {
    const HRESULT loaded = LoadAddInTypeInfo(&type_info);
    if (FAILED(loaded)) {
      type_info = nullptr;  // what a failed call left there is not ours to release
      return loaded;
    }
    *object = new AddInObject(type_info);
    return S_OK;
  });
  if (FAILED(hr) && type_info != nullptr) type_info->Release();
  return hr;
}

AddInObject::AddInObject(ITypeInfo* type_info) : type_info_(type_info) {}

AddInObject::~AddInObject() { type_info_->Release(); }

HRESULT AddInObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, kIidAddIn)) {
    *object = static_cast<::_AddIn*>(this);
  } else if (IsEqualIID(iid, kIidExtensibility2)) {
    *object = static_cast<IExtensibility2*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG AddInObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG AddInObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT AddInObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT AddInObject::GetTypeInfo(UINT index, LCID /*lcid*/, ITypeInfo** type_info) {
  if (type_info == nullptr) return E_POINTER;
  *type_info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  type_info_->AddRef();
  *type_info = type_info_;
  return S_OK;
}

HRESULT AddInObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID /*lcid*/,
                                   DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  return DispGetIDsOfNames(type_info_, names, count, ids);
}

HRESULT AddInObject::Invoke(DISPID id, REFIID iid, LCID /*lcid*/, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO* exception, UINT* argument_error) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (params == nullptr) return E_POINTER;
  return DispInvoke(static_cast<::_AddIn*>(this), type_info_, id, flags, params, result, exception,
                    argument_error);
}

HRESULT AddInObject::get_IDE(IDispatch** value) { return GetMember(add_in_.IDE(), value); }

HRESULT AddInObject::putref_IDE(IDispatch* value) {
  return ComBoundary([&] {
    add_in_.SetIDE(WrapEditor(value));
    return S_OK;
  });
}

HRESULT AddInObject::get_MenuItem(IDispatch** value) {
  return GetMember(add_in_.MenuItem(), value);
}

HRESULT AddInObject::putref_MenuItem(IDispatch* value) {
  return ComBoundary([&] {
    add_in_.SetMenuItem(WrapCommandBarControl(add_in_.IDE(), value));
    return S_OK;
  });
}

HRESULT AddInObject::get_MenuItemHandler(IDispatch** value) {
  return GetMember(add_in_.MenuItemHandler(), value);
}

HRESULT AddInObject::putref_MenuItemHandler(IDispatch* value) {
  return ComBoundary([&] {
    add_in_.SetMenuItemHandler(WrapCommandBarEvents(add_in_.IDE(), value));
    return S_OK;
  });
}

HRESULT AddInObject::OnConnection(IDispatch* application, LONG connect_mode,
                                  IDispatch* /*add_in_inst*/, SAFEARRAY** /*custom*/) {
  return ComBoundary([&] {
    std::shared_ptr<Vbe> editor;
    // An application that cannot be used as the editor leaves IDE empty: the connection then
    // adds no command, and the host hears of no error.
    try {
      editor = WrapEditor(application);
    } catch (const HostError&) {
    }
    add_in_.AddinInstance_OnConnection(editor, static_cast<int32_t>(connect_mode));
    return S_OK;
  });
}

HRESULT AddInObject::OnDisconnection(LONG remove_mode, SAFEARRAY** /*custom*/) {
  return ComBoundary([&] {
    add_in_.AddinInstance_OnDisconnection(static_cast<int32_t>(remove_mode));
    return S_OK;
  });
}

HRESULT AddInObject::OnAddInsUpdate(SAFEARRAY** /*custom*/) { return S_OK; }

HRESULT AddInObject::OnStartupComplete(SAFEARRAY** /*custom*/) { return S_OK; }

HRESULT AddInObject::OnBeginShutdown(SAFEARRAY** /*custom*/) { return S_OK; }

}  // namespace tovalin::win32
