// Reference counting and QueryInterface for the fake editor's COM objects. A derived class says
// which interfaces it answers in FindInterface; the object deletes itself at its last Release.
#pragma once

#include <objbase.h>

#include <atomic>

#include "live_objects.h"

namespace tovalin::fake {

template <typename Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = FindInterface(iid);
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // A new object holds one reference, its creator's.
  ComObject() = default;
  virtual ~ComObject() = default;

  // The pointer for `iid` (not AddRef'd), or null. IUnknown must always give the same pointer,
  // the object's identity.
  virtual void* FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown)) return static_cast<Interface*>(this);
    return nullptr;
  }

 private:
  std::atomic<ULONG> references_{1};
  LiveObject counted_;
};

}  // namespace tovalin::fake
