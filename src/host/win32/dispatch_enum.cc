#include "host/win32/dispatch_enum.h"

#include "host/host_error.h"
#include "host/win32/com_ptr.h"
#include "host/win32/dispatch_call.h"
#include "host/win32/dispatch_error.h"
#include "host/win32/unique_variant.h"

namespace tovalin::win32 {
namespace {

ComPtr<IEnumVARIANT> EnumeratorOf(IDispatch* collection) {
  UniqueVariant result = Invoke(collection, DISPID_NEWENUM, kGetFlags);
  VARIANT v = result.get();
  if (v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal != nullptr) v = *v.pvarVal;
  IUnknown* unknown = nullptr;
  if (v.vt == VT_UNKNOWN) unknown = v.punkVal;
  if (v.vt == VT_DISPATCH) unknown = v.pdispVal;
  ComPtr<IEnumVARIANT> enumerator = ComPtr<IUnknown>(unknown).Query<IEnumVARIANT>(IID_IEnumVARIANT);
  if (!enumerator) throw HostError(kErrNoSuchMember);
  return enumerator;
}

}  // namespace

void ForEach(IDispatch* collection, const std::function<void(const VARIANT& item)>& visit) {
  ComPtr<IEnumVARIANT> enumerator = EnumeratorOf(collection);
  for (size_t count = 0;; ++count) {
    UniqueVariant item;
    ULONG fetched = 0;
    const HRESULT hr = enumerator->Next(1, item.put(), &fetched);
    if (FAILED(hr)) throw HostErrorFromHresult(hr);
    if (hr != S_OK || fetched != 1) return;
    if (count == kMaxEnumeratedItems) throw HostError(kErrOutOfMemory);
    visit(item.get());
  }
}

}  // namespace tovalin::win32
