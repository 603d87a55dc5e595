#include "host/win32/dispatch_call.h"

#include <string>
#include <vector>

#include "host/host_error.h"
#include "host/win32/dispatch_error.h"
#include "host/win32/utf16.h"

namespace tovalin::win32 {
namespace {

// Frees what the callee put into an EXCEPINFO, whatever the outcome.
class ExceptionInfo {
 public:
  ExceptionInfo() { ZeroMemory(&info_, sizeof(info_)); }
  ~ExceptionInfo() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  EXCEPINFO& get() { return info_; }

 private:
  EXCEPINFO info_;
};

UniqueVariant InvokeWith(IDispatch* object, DISPID dispid, WORD flags,
                         std::span<const VARIANT> args, DISPID* named, UINT named_count) {
  if (object == nullptr) throw HostError(kErrObjectNotSet);
  // DISPPARAMS lists the arguments last first. The copies are shallow: the callee only reads.
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params{};
  params.rgvarg = reversed.empty() ? nullptr : reversed.data();
  params.cArgs = static_cast<UINT>(reversed.size());
  params.rgdispidNamedArgs = named;
  params.cNamedArgs = named_count;
  UniqueVariant result;
  ExceptionInfo info;
  UINT arg_error = 0;
  const HRESULT hr = object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                    result.put(), &info.get(), &arg_error);
  if (FAILED(hr)) throw HostErrorFromInvoke(hr, info.get());
  return result;
}

}  // namespace

DISPID GetDispId(IDispatch* object, std::string_view name) {
  if (object == nullptr) throw HostError(kErrObjectNotSet);
  std::wstring wide = Utf8ToUtf16(name);
  LPOLESTR names[] = {wide.data()};
  DISPID dispid = DISPID_UNKNOWN;
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
  if (FAILED(hr)) throw HostErrorFromHresult(hr);
  return dispid;
}

UniqueVariant Invoke(IDispatch* object, DISPID dispid, WORD flags, std::span<const VARIANT> args) {
  return InvokeWith(object, dispid, flags, args, nullptr, 0);
}

UniqueVariant GetProperty(IDispatch* object, std::string_view name, std::span<const VARIANT> args) {
  return Invoke(object, GetDispId(object, name), kGetFlags, args);
}

void PutProperty(IDispatch* object, std::string_view name, const VARIANT& value) {
  DISPID put = DISPID_PROPERTYPUT;
  InvokeWith(object, GetDispId(object, name), DISPATCH_PROPERTYPUT, std::span(&value, 1), &put, 1);
}

UniqueVariant CallMethod(IDispatch* object, std::string_view name, std::span<const VARIANT> args) {
  return Invoke(object, GetDispId(object, name), DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

VARIANT MissingArgument() {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  return v;
}

VARIANT LongArgument(int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT BooleanArgument(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT DispatchArgument(IDispatch* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = value;
  return v;
}

}  // namespace tovalin::win32
