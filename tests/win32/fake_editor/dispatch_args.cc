#include "dispatch_args.h"

#include <oleauto.h>

#include "text_convert.h"

namespace tovalin::fake {
namespace {

constexpr int kMaxReferenceDepth = 16;

}  // namespace

std::vector<std::string_view> ParameterNames(std::string_view names) {
  std::vector<std::string_view> out;
  while (!names.empty()) {
    const size_t comma = names.find(',');
    out.push_back(names.substr(0, comma));
    if (comma == std::string_view::npos) break;
    names.remove_prefix(comma + 1);
  }
  return out;
}

Arguments::Arguments(const DISPPARAMS& params, size_t parameter_count, bool put)
    : params_(params), index_of_position_(parameter_count, -1) {
  const int total = static_cast<int>(params.cArgs);
  const int named = static_cast<int>(params.cNamedArgs);
  auto place = [&](size_t position, int index) {
    if (position >= parameter_count || index_of_position_[position] != -1) {
      throw DispatchFailure{DISP_E_PARAMNOTFOUND, index};
    }
    index_of_position_[position] = index;
  };
  for (int i = 0; i < named; ++i) {
    const DISPID id = params.rgdispidNamedArgs[i];
    if (id == DISPID_PROPERTYPUT && put && put_index_ == -1) {
      put_index_ = i;
    } else if (id < 0) {
      throw DispatchFailure{DISP_E_PARAMNOTFOUND, i};
    } else {
      place(static_cast<size_t>(id), i);
    }
  }
  // rgvarg[first_positional, total) are the positional arguments, the first one last.
  int first_positional = named;
  if (put && put_index_ == -1) {
    // An assignment whose caller did not name its value: the value is the last argument.
    if (total == named) throw DispatchFailure{DISP_E_PARAMNOTFOUND};
    put_index_ = first_positional++;
  }
  const int positional = total - first_positional;
  if (positional > static_cast<int>(parameter_count)) throw DispatchFailure{DISP_E_BADPARAMCOUNT};
  for (int k = 0; k < positional; ++k) place(static_cast<size_t>(k), total - 1 - k);
}

const VARIANT& Arguments::Followed(const VARIANT& value, int index) {
  const VARIANT* v = &value;
  for (int depth = 0; v->vt == (VT_BYREF | VT_VARIANT); ++depth) {
    if (v->pvarVal == nullptr || depth == kMaxReferenceDepth) {
      throw DispatchFailure{DISP_E_BADVARTYPE, index};
    }
    v = v->pvarVal;
  }
  if ((v->vt & VT_BYREF) != 0 && v->byref == nullptr) {
    throw DispatchFailure{DISP_E_BADVARTYPE, index};
  }
  return *v;
}

const VARIANT* Arguments::Find(size_t position) const {
  if (position >= index_of_position_.size()) return nullptr;
  const int index = index_of_position_[position];
  if (index < 0) return nullptr;
  const VARIANT& value = Followed(params_.rgvarg[index], index);
  if (value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND) return nullptr;
  return &value;
}

const VARIANT& Arguments::Required(size_t position) const {
  const VARIANT* value = Find(position);
  if (value == nullptr) throw DispatchFailure{DISP_E_PARAMNOTFOUND};
  return *value;
}

const VARIANT& Arguments::PutValue() const {
  if (put_index_ < 0) throw DispatchFailure{DISP_E_PARAMNOTFOUND};
  return Followed(params_.rgvarg[put_index_], put_index_);
}

int Arguments::IndexOf(const VARIANT& value) const {
  for (int i = 0; i < static_cast<int>(params_.cArgs); ++i) {
    if (&Followed(params_.rgvarg[i], i) == &value) return i;
  }
  return -1;
}

OwnedVariant Arguments::Converted(const VARIANT& value, VARTYPE type) const {
  OwnedVariant out;
  const HRESULT result = VariantChangeType(out.put(), const_cast<VARIANT*>(&value), 0, type);
  if (FAILED(result)) throw DispatchFailure{DISP_E_TYPEMISMATCH, IndexOf(value)};
  return out;
}

int32_t Arguments::Long(const VARIANT& value) const { return Converted(value, VT_I4).get().lVal; }

bool Arguments::Bool(const VARIANT& value) const {
  return Converted(value, VT_BOOL).get().boolVal != VARIANT_FALSE;
}

std::string Arguments::String(const VARIANT& value) const {
  if (value.vt == VT_BSTR) return FromBstr(value.bstrVal);
  if (value.vt == (VT_BYREF | VT_BSTR)) return FromBstr(*value.pbstrVal);
  return FromBstr(Converted(value, VT_BSTR).get().bstrVal);
}

}  // namespace tovalin::fake
