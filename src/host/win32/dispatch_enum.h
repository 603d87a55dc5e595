// For Each over a COM collection, as the runtime runs it: the collection's _NewEnum
// (DISPID_NEWENUM) gives an IEnumVARIANT, whose Next hands out the items one at a time in the
// collection's order.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <functional>

namespace tovalin::win32 {

// A collection that claims more items than this is broken or hostile; its enumeration fails
// with 7 (Out of memory) rather than running on without end.
inline constexpr size_t kMaxEnumeratedItems = size_t{1} << 20;

// Calls `visit` for each item; the VARIANT is cleared after the call. A collection without
// _NewEnum fails with 438, an enumerator that fails with its mapped error.
void ForEach(IDispatch* collection, const std::function<void(const VARIANT& item)>& visit);

}  // namespace tovalin::win32
