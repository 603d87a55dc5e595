// Late-bound calls through IDispatch, as the editor's runtime makes them: the name is looked up
// with GetIDsOfNames, then Invoke runs with the arguments in call order (they are handed to
// Invoke reversed, as DISPPARAMS wants them). Every failure throws HostError with the runtime's
// number (dispatch_error.h); a null object fails with 91.
//
// Argument VARIANTs are borrowed for the call: the callee may not change them, and they stay
// the caller's to clear.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "host/win32/unique_variant.h"

namespace tovalin::win32 {

// Reads use DISPATCH_PROPERTYGET | DISPATCH_METHOD: a name may be either, as `x = obj.Name`
// allows.
inline constexpr WORD kGetFlags = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

// The DISPID of `name`; 438 when the object lacks it.
DISPID GetDispId(IDispatch* object, std::string_view name);

UniqueVariant Invoke(IDispatch* object, DISPID dispid, WORD flags,
                     std::span<const VARIANT> args = {});

// obj.name(args...) read as a value.
UniqueVariant GetProperty(IDispatch* object, std::string_view name,
                          std::span<const VARIANT> args = {});
// obj.name = value.
void PutProperty(IDispatch* object, std::string_view name, const VARIANT& value);
// obj.name args...; the result is what the method returns (Empty for a Sub).
UniqueVariant CallMethod(IDispatch* object, std::string_view name,
                         std::span<const VARIANT> args = {});

// An omitted optional argument: VT_ERROR with DISP_E_PARAMNOTFOUND.
VARIANT MissingArgument();
// Borrowed argument values; nothing to clear.
VARIANT LongArgument(int32_t value);
VARIANT BooleanArgument(bool value);
VARIANT DispatchArgument(IDispatch* value);

}  // namespace tovalin::win32
