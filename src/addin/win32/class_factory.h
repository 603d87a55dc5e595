// The class object of AddIn, handed out by DllGetClassObject.
#pragma once

#include <objbase.h>

#include "addin/win32/module.h"

namespace tovalin::win32 {

class AddInClassFactory final : public IClassFactory {
 public:
  AddInClassFactory() = default;
  AddInClassFactory(const AddInClassFactory&) = delete;
  AddInClassFactory& operator=(const AddInClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ModuleReference module_;
  LONG references_ = 1;
};

}  // namespace tovalin::win32
