// Conversions between COM VARIANTs and the program's Variant.
//
// From a VARIANT: VT_BYREF values are read through their pointer; Empty, Null, Boolean,
// Integer, Long, Single, Double, Currency and String map to the same types, and objects
// (VT_DISPATCH, or VT_UNKNOWN offering IDispatch) to wrappers from the caller's factory, a null
// pointer being Nothing. The integer types Variant lacks become the smallest of Integer, Long
// and Double that holds every value of the type; Date and Decimal become Double. Error values,
// arrays, objects without IDispatch and anything else fail with 13 (Type mismatch).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "host/variant.h"
#include "host/win32/com_ptr.h"
#include "host/win32/unique_variant.h"

namespace tovalin::win32 {

// Makes the program's object for a COM object.
class DispatchObjectFactory {
 public:
  virtual ~DispatchObjectFactory() = default;
  // `object` is not null.
  virtual ObjectRef Wrap(IDispatch* object) = 0;
};

Variant FromVariant(const VARIANT& value, DispatchObjectFactory& objects);

// The object a VARIANT holds, as IDispatch: null for Nothing; 424 (Object required) for a value
// that is not an object, 13 for an object without IDispatch.
ComPtr<IDispatch> DispatchFromVariant(const VARIANT& value);

// The VARIANT for a Variant. An Object must be a wrapper of a COM object (or Nothing); any other
// object fails with 13.
UniqueVariant ToVariant(const Variant& value);

}  // namespace tovalin::win32
