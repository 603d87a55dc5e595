// Test support for the Win32 host's unit tests. FakeDispatch is a scriptable IDispatch: members
// by name with handlers or fixed values, a collection's items behind _NewEnum, a type name
// through a minimal ITypeInfo, a second IDispatch pointer of the same object (as real objects
// hand out tear-offs), and a record of the calls made. FakeEventSource sources the command-bar
// click events. ThrownBy gives the error a call fails with.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fake_editor/com_object.h"
#include "fake_editor/type_info.h"
#include "host/host_error.h"
#include "host/win32/bstr.h"
#include "host/win32/com_ptr.h"
#include "host/win32/editor_interfaces.h"
#include "host/win32/unique_variant.h"
#include "host/win32/utf16.h"

namespace tovalin::win32::testing {

// The HostError `call` throws; a failed expectation when it throws none.
inline HostError ThrownBy(const std::function<void()>& call) {
  try {
    call();
  } catch (const HostError& error) {
    return error;
  }
  ADD_FAILURE() << "no HostError thrown";
  return HostError(0, "");
}

inline UniqueVariant CopyOf(const VARIANT& value) {
  UniqueVariant copy;
  VariantCopy(copy.put(), const_cast<VARIANT*>(&value));
  return copy;
}

inline UniqueVariant TextVariant(const std::string& text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = Bstr(text).detach();
  return UniqueVariant::Attach(v);
}

inline UniqueVariant ObjectVariant(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object;
  if (object != nullptr) object->AddRef();
  return UniqueVariant::Attach(v);
}

// An enumerator over copies of the items it was given.
class FakeEnum final : public fake::ComObject<IEnumVARIANT> {
 public:
  explicit FakeEnum(const std::vector<UniqueVariant>& items) {
    for (const UniqueVariant& item : items) items_.push_back(CopyOf(item.get()));
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    ULONG done = 0;
    for (; done < count && next_ < items_.size(); ++done, ++next_) {
      VariantInit(&out[done]);
      VariantCopy(&out[done], const_cast<VARIANT*>(&items_[next_].get()));
    }
    if (fetched != nullptr) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    return next_ <= items_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IEnumVARIANT)) return static_cast<IEnumVARIANT*>(this);
    return ComObject::FindInterface(iid);
  }

 private:
  std::vector<UniqueVariant> items_;
  size_t next_ = 0;
};

class FakeDispatch final : public IDispatch {
 public:
  using Handler =
      std::function<HRESULT(const DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception)>;
  struct Call {
    DISPID dispid;
    WORD flags;
    std::vector<UniqueVariant> args;  // as DISPPARAMS holds them: last argument first
    std::vector<DISPID> named;
  };

  static ComPtr<FakeDispatch> New(std::string type_name = "") {
    return ComPtr<FakeDispatch>::Attach(new FakeDispatch(std::move(type_name)));
  }

  // A member answering with `handler`; returns its DISPID.
  DISPID On(const std::string& name, Handler handler) {
    const DISPID dispid = static_cast<DISPID>(names_.size() + 1);
    names_[ToLower(name)] = dispid;
    handlers_[dispid] = std::move(handler);
    return dispid;
  }
  void OnDispId(DISPID dispid, Handler handler) { handlers_[dispid] = std::move(handler); }
  // A member whose reads give a copy of `value`.
  DISPID Returns(const std::string& name, const VARIANT& value) {
    auto stored = std::make_shared<UniqueVariant>(CopyOf(value));
    return On(name, [stored](const DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
      if (result != nullptr) VariantCopy(result, const_cast<VARIANT*>(&stored->get()));
      return S_OK;
    });
  }
  // Makes the object a collection of these items (For Each order).
  void SetItems(std::vector<UniqueVariant> items) {
    auto shared = std::make_shared<std::vector<UniqueVariant>>(std::move(items));
    OnDispId(DISPID_NEWENUM, [shared](const DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
      result->vt = VT_UNKNOWN;
      result->punkVal = new FakeEnum(*shared);
      return S_OK;
    });
  }

  const std::vector<Call>& calls() const { return calls_; }
  // Another IDispatch pointer of this object: distinct, but its IUnknown is this object's.
  IDispatch* tear_off() { return &tear_off_; }
  ULONG references() const { return references_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = type_name_.empty() ? 0 : 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** type) override {
    *type = nullptr;
    if (type_name_.empty()) return DISP_E_BADINDEX;
    *type = fake::NewNamedTypeInfo(type_name_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* dispids) override {
    if (count != 1) return E_INVALIDARG;
    const auto found = names_.find(ToLower(Utf16ToUtf8(names[0])));
    if (found == names_.end()) {
      dispids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    dispids[0] = found->second;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    Call call{dispid, flags, {}, {}};
    for (UINT i = 0; i < params->cArgs; ++i) call.args.push_back(CopyOf(params->rgvarg[i]));
    for (UINT i = 0; i < params->cNamedArgs; ++i) {
      call.named.push_back(params->rgdispidNamedArgs[i]);
    }
    calls_.push_back(std::move(call));
    const auto found = handlers_.find(dispid);
    if (found == handlers_.end()) return DISP_E_MEMBERNOTFOUND;
    return found->second(*params, result, exception);
  }

 private:
  // Forwards everything but the pointer's own value to the object.
  class TearOff final : public IDispatch {
   public:
    explicit TearOff(FakeDispatch* outer) : outer_(outer) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
      return outer_->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return outer_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return outer_->Release(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
      return outer_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** type) override {
      return outer_->GetTypeInfo(index, locale, type);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* dispids) override {
      return outer_->GetIDsOfNames(iid, names, count, locale, dispids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* arg_error) override {
      return outer_->Invoke(dispid, iid, locale, flags, params, result, exception, arg_error);
    }

   private:
    FakeDispatch* outer_;
  };

  explicit FakeDispatch(std::string type_name)
      : type_name_(std::move(type_name)), tear_off_(this) {}

  static std::string ToLower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }

  ULONG references_ = 1;
  std::string type_name_;
  TearOff tear_off_;
  std::map<std::string, DISPID> names_;
  std::map<DISPID, Handler> handlers_;
  std::vector<Call> calls_;
};

// An event source with one connection point, for the command-bar events only. With
// `keep_unadvised` set it holds on to a sink after Unadvise, as a real source may, until the
// source itself goes.
class FakeEventSource final : public fake::ComObject<IDispatch>,
                              public IConnectionPointContainer,
                              public IConnectionPoint {
 public:
  // One identity and one count for the three interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return ComObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ComObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ComObject::Release(); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    *point = nullptr;
    if (!IsEqualIID(iid, kDiidCommandBarEvents)) return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    // An event source asks for the events interface, as the editor's does.
    void* events = nullptr;
    if (FAILED(sink->QueryInterface(kDiidCommandBarEvents, &events)))
      return CONNECT_E_CANNOTCONNECT;
    sinks_.push_back(ComPtr<IDispatch>::Attach(static_cast<IDispatch*>(events)));
    *cookie = static_cast<DWORD>(sinks_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    if (keep_unadvised) unadvised_.push_back(sinks_[cookie - 1]);
    sinks_[cookie - 1].reset();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  // Raises Click(control, handled, CancelDefault) on every advised sink.
  void Click(IDispatch* control, VARIANT_BOOL& handled, VARIANT_BOOL& cancel_default) {
    VARIANT args[3];
    for (VARIANT& arg : args) VariantInit(&arg);
    args[2].vt = VT_DISPATCH;
    args[2].pdispVal = control;
    args[1].vt = VT_BYREF | VT_BOOL;
    args[1].pboolVal = &handled;
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel_default;
    DISPPARAMS params{args, nullptr, 3, 0};
    for (const ComPtr<IDispatch>& sink : sinks_) {
      if (sink)
        sink->Invoke(kDispidCommandBarClick, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                     nullptr, nullptr);
    }
  }
  bool keep_unadvised = false;

  size_t advised() const {
    size_t count = 0;
    for (const auto& sink : sinks_) count += sink ? 1 : 0;
    return count;
  }

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IDispatch)) return static_cast<IDispatch*>(this);
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
      return static_cast<IConnectionPointContainer*>(this);
    }
    return ComObject::FindInterface(iid);
  }

 private:
  std::vector<ComPtr<IDispatch>> sinks_;
  std::vector<ComPtr<IDispatch>> unadvised_;
};

}  // namespace tovalin::win32::testing
