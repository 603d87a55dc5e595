#include "dispatch_object.h"

#include <cwchar>
#include <new>

#include "fake_editor.h"
#include "host/host_error.h"
#include "host/memory/memory_model.h"
#include "text_convert.h"
#include "type_info.h"
#include "variant_convert.h"
#include "view_registry.h"

namespace tovalin::fake {
namespace {

// Bounds on what a caller may pass, checked before anything is allocated for it.
constexpr UINT kMaxArguments = 64;
constexpr size_t kMaxNameLength = 1024;

// The text of a name passed to GetIDsOfNames, or nullopt for a missing or overlong one.
std::optional<std::string> NameText(const OLECHAR* name) {
  if (name == nullptr) return std::nullopt;
  const size_t length = wcsnlen(name, kMaxNameLength + 1);
  if (length > kMaxNameLength) return std::nullopt;
  return FromUtf16(name, length);
}

void ReportException(const HostError& error, const std::string& source, EXCEPINFO* info) {
  if (info == nullptr) return;
  *info = EXCEPINFO{};
  info->scode = ScodeOfErrorNumber(error.number());
  try {
    info->bstrSource = ToBstr(source);
    info->bstrDescription = ToBstr(error.description());
  } catch (...) {
    // The number is what matters; the texts are left out when there is no memory for them.
  }
}

}  // namespace

void Call::Return(const Variant& value) {
  OwnedVariant converted = ToVariant(views_, value);
  VariantClear(&result_);
  result_ = converted.Release();
}

void Call::Return(ComPtr<IDispatch> object) {
  VariantClear(&result_);
  result_.vt = VT_DISPATCH;
  result_.pdispVal = object.Detach();
}

void Call::ReturnUnknown(ComPtr<IUnknown> object) {
  VariantClear(&result_);
  result_.vt = VT_UNKNOWN;
  result_.punkVal = object.Detach();
}

DispatchObject::~DispatchObject() {
  if (cache_key_) views_->Forget(*cache_key_);
}

ComPtr<DispatchObject> DispatchObject::Of(IUnknown* object) {
  if (object == nullptr) return {};
  void* found = nullptr;
  if (FAILED(object->QueryInterface(kIidFakeEditorObject, &found)) || found == nullptr) return {};
  return ComPtr<DispatchObject>::Adopt(static_cast<DispatchObject*>(found));
}

void* DispatchObject::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    return static_cast<IDispatch*>(this);
  }
  if (IsEqualIID(iid, kIidFakeEditorObject)) return static_cast<DispatchObject*>(this);
  return nullptr;
}

const Member* DispatchObject::FindMember(DISPID id) const {
  for (const Member& member : Members()) {
    if (member.id == id) return &member;
  }
  return nullptr;
}

const Member* DispatchObject::FindMember(std::string_view name) const {
  for (const Member& member : Members()) {
    if (!member.name.empty() && EqualsIgnoringAsciiCase(member.name, name)) return &member;
  }
  return nullptr;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  try {
    *out = NewNamedTypeInfo(TypeNameOfObject());
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  try {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return E_INVALIDARG;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;

    bool all_known = true;
    const std::optional<std::string> name = NameText(names[0]);
    const Member* member = name ? FindMember(*name) : nullptr;
    if (member != nullptr) {
      ids[0] = member->id;
    } else if (name && LateBound() != nullptr) {
      const std::optional<DISPID> id = views_->LateBoundId(*name);
      if (id) ids[0] = *id;
      all_known = id.has_value();
    } else {
      all_known = false;
    }

    // The other names are the member's parameters; late-bound reads take none.
    const std::vector<std::string_view> parameters =
        member != nullptr ? ParameterNames(member->parameters) : std::vector<std::string_view>();
    for (UINT i = 1; i < count; ++i) {
      const std::optional<std::string> parameter = NameText(names[i]);
      for (size_t at = 0; parameter && at < parameters.size(); ++at) {
        if (EqualsIgnoringAsciiCase(parameters[at], *parameter)) {
          ids[i] = static_cast<DISPID>(at);
          break;
        }
      }
      if (ids[i] == DISPID_UNKNOWN) all_known = false;
    }
    return all_known ? S_OK : DISP_E_UNKNOWNNAME;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argument_error) {
  try {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const DISPPARAMS no_arguments{};
    const DISPPARAMS& p = params != nullptr ? *params : no_arguments;
    if ((p.cArgs > 0 && p.rgvarg == nullptr) || p.cNamedArgs > p.cArgs ||
        (p.cNamedArgs > 0 && p.rgdispidNamedArgs == nullptr)) {
      return E_INVALIDARG;
    }
    if (p.cArgs > kMaxArguments) return DISP_E_BADPARAMCOUNT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (!put && (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) {
      return DISP_E_MEMBERNOTFOUND;
    }

    OwnedVariant out;
    if (const Member* member = FindMember(id)) {
      if (put && !member->assignable) return DISP_E_MEMBERNOTFOUND;
      const Arguments args(p, ParameterNames(member->parameters).size(), put);
      Call call(*views_, args, put, out.get());
      InvokeMember(id, call);
    } else if (HostObject* object = LateBound();
               object != nullptr && views_->LateBoundName(id) != nullptr) {
      if (put) return DISP_E_MEMBERNOTFOUND;
      const Arguments none(p, 0, false);
      out = ToVariant(*views_, object->Get(*views_->LateBoundName(id)));
    } else {
      return DISP_E_MEMBERNOTFOUND;
    }
    if (result != nullptr) *result = out.Release();
    return S_OK;
  } catch (const HostError& error) {
    std::string source;
    try {
      source = TypeNameOfObject();
    } catch (...) {
    }
    ReportException(error, source, exception);
    return DISP_E_EXCEPTION;
  } catch (const DispatchFailure& failure) {
    if (argument_error != nullptr && failure.argument >= 0) {
      *argument_error = static_cast<UINT>(failure.argument);
    }
    return failure.result;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace tovalin::fake
