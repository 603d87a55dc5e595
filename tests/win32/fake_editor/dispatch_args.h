// The arguments of one IDispatch::Invoke, found by parameter position whether the caller passed
// them by position (in reverse order, as Invoke does) or by name (rgdispidNamedArgs holding the
// parameter's position), with omitted optional arguments recognised.
#pragma once

#include <oaidl.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "owned_variant.h"

namespace tovalin::fake {

// An Invoke that fails at the dispatch level, before or instead of a call into the object model:
// a bad argument count, a missing or unconvertible argument. `argument` is the rgvarg index of
// the argument at fault, or -1.
struct DispatchFailure {
  HRESULT result;
  int argument = -1;
};

// A member's parameter names in order, comma separated ("StartLine,Count"), by position.
std::vector<std::string_view> ParameterNames(std::string_view names);

class Arguments {
 public:
  // Throws DispatchFailure when `params` names a parameter twice or one the member lacks, or
  // passes more than `parameter_count` by position. For a property assignment (`put`) the value
  // is the argument named DISPID_PROPERTYPUT, or the last one when none is named.
  Arguments(const DISPPARAMS& params, size_t parameter_count, bool put);

  // The argument at `position` with references followed, or null when it was omitted: not
  // passed, or passed as the missing-argument marker (VT_ERROR DISP_E_PARAMNOTFOUND).
  const VARIANT* Find(size_t position) const;
  // The argument, required: DISP_E_PARAMNOTFOUND when it was omitted.
  const VARIANT& Required(size_t position) const;
  // The value assigned by a property assignment.
  const VARIANT& PutValue() const;

  // The argument converted as the runtime converts to a parameter of that type; a value that
  // does not convert fails with DISP_E_TYPEMISMATCH naming it.
  int32_t Long(const VARIANT& value) const;
  bool Bool(const VARIANT& value) const;
  std::string String(const VARIANT& value) const;

  // The rgvarg index of an argument this object returned, for failures that name it.
  int IndexOf(const VARIANT& value) const;

 private:
  // The value with references followed; DISP_E_BADVARTYPE for a broken reference.
  static const VARIANT& Followed(const VARIANT& value, int index);
  OwnedVariant Converted(const VARIANT& value, VARTYPE type) const;

  const DISPPARAMS& params_;
  std::vector<int> index_of_position_;  // rgvarg index per parameter, -1 when not passed
  int put_index_ = -1;
};

}  // namespace tovalin::fake
