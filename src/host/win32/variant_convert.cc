#include "host/win32/variant_convert.h"

#include <limits>

#include "host/host_error.h"
#include "host/object_model.h"
#include "host/win32/bstr.h"
#include "host/win32/dispatch_holder.h"

namespace tovalin::win32 {
namespace {

// The value a VT_BYREF VARIANT points at, as a by-value VARIANT that borrows any BSTR or
// interface from it (never cleared). A VARIANT by reference may hold a reference itself only
// in broken callers; one level is followed, no more.
VARIANT Dereference(const VARIANT& value) {
  VARIANT out;
  VariantInit(&out);
  if ((value.vt & VT_BYREF) == 0) return value;
  if (value.byref == nullptr) throw HostError(kErrTypeMismatch);
  const VARTYPE type = value.vt & ~VT_BYREF;
  if (type == VT_VARIANT) {
    const VARIANT& inner = *value.pvarVal;
    if ((inner.vt & VT_BYREF) != 0) throw HostError(kErrTypeMismatch);
    return inner;
  }
  out.vt = type;
  switch (type) {
    case VT_BOOL:
      out.boolVal = *value.pboolVal;
      break;
    case VT_I1:
      out.cVal = *value.pcVal;
      break;
    case VT_UI1:
      out.bVal = *value.pbVal;
      break;
    case VT_I2:
      out.iVal = *value.piVal;
      break;
    case VT_UI2:
      out.uiVal = *value.puiVal;
      break;
    case VT_I4:
      out.lVal = *value.plVal;
      break;
    case VT_UI4:
      out.ulVal = *value.pulVal;
      break;
    case VT_INT:
      out.intVal = *value.pintVal;
      break;
    case VT_UINT:
      out.uintVal = *value.puintVal;
      break;
    case VT_I8:
      out.llVal = *value.pllVal;
      break;
    case VT_UI8:
      out.ullVal = *value.pullVal;
      break;
    case VT_R4:
      out.fltVal = *value.pfltVal;
      break;
    case VT_R8:
      out.dblVal = *value.pdblVal;
      break;
    case VT_DATE:
      out.date = *value.pdate;
      break;
    case VT_CY:
      out.cyVal = *value.pcyVal;
      break;
    case VT_DECIMAL:
      out.decVal = *value.pdecVal;
      out.vt = VT_DECIMAL;  // the decimal's own first field overlaps vt
      break;
    case VT_BSTR:
      out.bstrVal = *value.pbstrVal;
      break;
    case VT_DISPATCH:
      out.pdispVal = *value.ppdispVal;
      break;
    case VT_UNKNOWN:
      out.punkVal = *value.ppunkVal;
      break;
    default:
      throw HostError(kErrTypeMismatch);
  }
  return out;
}

Variant FromDispatch(IDispatch* object, DispatchObjectFactory& objects) {
  if (object == nullptr) return Variant::Object(nullptr);
  return Variant::Object(objects.Wrap(object));
}

}  // namespace

Variant FromVariant(const VARIANT& value, DispatchObjectFactory& objects) {
  const VARIANT v = Dereference(value);
  switch (v.vt) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant::Null();
    case VT_BOOL:
      return Variant::Boolean(v.boolVal != VARIANT_FALSE);
    case VT_I2:
      return Variant::Integer(v.iVal);
    case VT_I4:
      return Variant::Long(v.lVal);
    case VT_INT:
      return Variant::Long(v.intVal);
    case VT_R4:
      return Variant::Single(v.fltVal);
    case VT_R8:
      return Variant::Double(v.dblVal);
    case VT_CY:
      return Variant::FromCurrency(Currency{v.cyVal.int64});
    case VT_BSTR:
      return Variant::String(BstrToUtf8(v.bstrVal));
    // Byte and the unsigned types hold only values of the next wider signed type; the 64-bit
    // ones are whole numbers beyond Long.
    case VT_UI1:
      return Variant::Integer(v.bVal);
    case VT_I1:
      return Variant::Integer(v.cVal);
    case VT_UI2:
      return Variant::Long(v.uiVal);
    case VT_UI4:
      return v.ulVal <= static_cast<ULONG>(std::numeric_limits<int32_t>::max())
                 ? Variant::Long(static_cast<int32_t>(v.ulVal))
                 : Variant::Double(v.ulVal);
    case VT_UINT:
      return v.uintVal <= static_cast<UINT>(std::numeric_limits<int32_t>::max())
                 ? Variant::Long(static_cast<int32_t>(v.uintVal))
                 : Variant::Double(v.uintVal);
    case VT_I8:
      return v.llVal >= std::numeric_limits<int32_t>::min() &&
                     v.llVal <= std::numeric_limits<int32_t>::max()
                 ? Variant::Long(static_cast<int32_t>(v.llVal))
                 : Variant::Double(static_cast<double>(v.llVal));
    case VT_UI8:
      return v.ullVal <= static_cast<ULONGLONG>(std::numeric_limits<int32_t>::max())
                 ? Variant::Long(static_cast<int32_t>(v.ullVal))
                 : Variant::Double(static_cast<double>(v.ullVal));
    case VT_DATE:
      return Variant::Double(v.date);
    case VT_DECIMAL: {
      DECIMAL decimal = v.decVal;
      double d = 0;
      if (FAILED(VarR8FromDec(&decimal, &d))) throw HostError(kErrOverflow);
      return Variant::Double(d);
    }
    case VT_DISPATCH:
      return FromDispatch(v.pdispVal, objects);
    case VT_UNKNOWN: {
      if (v.punkVal == nullptr) return Variant::Object(nullptr);
      ComPtr<IDispatch> dispatch = ComPtr<IUnknown>(v.punkVal).Query<IDispatch>(IID_IDispatch);
      if (!dispatch) throw HostError(kErrTypeMismatch);
      return FromDispatch(dispatch.get(), objects);
    }
    default:
      throw HostError(kErrTypeMismatch);
  }
}

ComPtr<IDispatch> DispatchFromVariant(const VARIANT& value) {
  const VARIANT v = Dereference(value);
  if (v.vt == VT_DISPATCH) return ComPtr<IDispatch>(v.pdispVal);
  if (v.vt == VT_UNKNOWN) {
    if (v.punkVal == nullptr) return nullptr;
    ComPtr<IDispatch> dispatch = ComPtr<IUnknown>(v.punkVal).Query<IDispatch>(IID_IDispatch);
    if (!dispatch) throw HostError(kErrTypeMismatch);
    return dispatch;
  }
  throw HostError(kErrObjectRequired);
}

UniqueVariant ToVariant(const Variant& value) {
  VARIANT v;
  VariantInit(&v);
  switch (value.type()) {
    case VarType::kEmpty:
      break;
    case VarType::kNull:
      v.vt = VT_NULL;
      break;
    case VarType::kBoolean:
      v.vt = VT_BOOL;
      v.boolVal = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VarType::kInteger:
      v.vt = VT_I2;
      v.iVal = value.integer();
      break;
    case VarType::kLong:
      v.vt = VT_I4;
      v.lVal = value.long_value();
      break;
    case VarType::kSingle:
      v.vt = VT_R4;
      v.fltVal = value.single();
      break;
    case VarType::kDouble:
      v.vt = VT_R8;
      v.dblVal = value.double_value();
      break;
    case VarType::kCurrency:
      v.vt = VT_CY;
      v.cyVal.int64 = value.currency().scaled;
      break;
    case VarType::kString:
      v.bstrVal = Bstr(value.string()).detach();
      v.vt = VT_BSTR;
      break;
    case VarType::kObject: {
      IDispatch* dispatch = nullptr;
      if (value.object() != nullptr) {
        dispatch = DispatchOf(value.object().get());
        if (dispatch == nullptr) throw HostError(kErrTypeMismatch);
        dispatch->AddRef();
      }
      v.vt = VT_DISPATCH;
      v.pdispVal = dispatch;
      break;
    }
  }
  return UniqueVariant::Attach(v);
}

}  // namespace tovalin::win32
