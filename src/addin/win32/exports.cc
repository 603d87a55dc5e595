// The module's four exports (tovalin.def gives their ordinals). Each hands its call to the
// module's services; none contains add-in logic.
#include <windows.h>

#include <new>

#include "addin/win32/addin_ids.h"
#include "addin/win32/class_factory.h"
#include "addin/win32/module.h"
#include "addin/win32/registration.h"

using tovalin::win32::AddInClassFactory;

STDAPI DllCanUnloadNow() { return tovalin::win32::ModuleInUse() ? S_FALSE : S_OK; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, tovalin::win32::kClsidAddIn)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) AddInClassFactory();
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, object);
  factory->Release();
  return hr;
}

STDAPI DllRegisterServer() { return tovalin::win32::RegisterServer(); }

STDAPI DllUnregisterServer() { return tovalin::win32::UnregisterServer(); }
