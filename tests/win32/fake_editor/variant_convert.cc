#include "variant_convert.h"

#include "text_convert.h"
#include "view_registry.h"

namespace tovalin::fake {

OwnedVariant ToVariant(ViewRegistry& views, const Variant& value) {
  OwnedVariant out;
  VARIANT& v = out.get();
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
      v.bstrVal = ToBstr(value.string());
      v.vt = VT_BSTR;
      break;
    case VarType::kObject:
      v.pdispVal = views.ViewOf(value.object()).Detach();
      v.vt = VT_DISPATCH;
      break;
  }
  return out;
}

std::optional<Variant> FromVariant(const VARIANT& value) {
  const VARIANT* v = &value;
  // A Variant passed by reference may itself refer to another; a null reference ends the chain.
  for (int depth = 0; v->vt == (VT_BYREF | VT_VARIANT); ++depth) {
    if (v->pvarVal == nullptr || depth == 16) return std::nullopt;
    v = v->pvarVal;
  }
  const bool by_ref = (v->vt & VT_BYREF) != 0;
  if (by_ref && v->byref == nullptr) return std::nullopt;
  switch (v->vt & ~VT_BYREF) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant::Null();
    case VT_BOOL:
      return Variant::Boolean((by_ref ? *v->pboolVal : v->boolVal) != VARIANT_FALSE);
    case VT_UI1:
      return Variant::Integer(by_ref ? *v->pbVal : v->bVal);
    case VT_I2:
      return Variant::Integer(by_ref ? *v->piVal : v->iVal);
    case VT_I4:
      return Variant::Long(by_ref ? *v->plVal : v->lVal);
    case VT_INT:
      return Variant::Long(by_ref ? *v->pintVal : v->intVal);
    case VT_R4:
      return Variant::Single(by_ref ? *v->pfltVal : v->fltVal);
    case VT_R8:
      return Variant::Double(by_ref ? *v->pdblVal : v->dblVal);
    case VT_CY:
      return Variant::FromCurrency(Currency{(by_ref ? *v->pcyVal : v->cyVal).int64});
    case VT_BSTR:
      return Variant::String(FromBstr(by_ref ? *v->pbstrVal : v->bstrVal));
    default:
      return std::nullopt;
  }
}

}  // namespace tovalin::fake
