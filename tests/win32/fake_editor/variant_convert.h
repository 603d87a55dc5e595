// The object model's Variant to and from OLE VARIANTs, keeping every value exact: a Single
// travels as VT_R4, a Currency as VT_CY, text as a BSTR of its UTF-16.
#pragma once

#include <oaidl.h>

#include <optional>

#include "host/variant.h"
#include "owned_variant.h"

namespace tovalin::fake {

class ViewRegistry;

// Empty, Null, Boolean (VT_BOOL), Integer (VT_I2), Long (VT_I4), Single (VT_R4), Double (VT_R8),
// Currency (VT_CY), String (VT_BSTR), Object (VT_DISPATCH: the object's view from `views`, a
// null VT_DISPATCH for Nothing).
OwnedVariant ToVariant(ViewRegistry& views, const Variant& value);

// A plain value (no object, no array) as a Variant; references are followed. nullopt for a type
// the object model has no Variant for.
std::optional<Variant> FromVariant(const VARIANT& value);

}  // namespace tovalin::fake
