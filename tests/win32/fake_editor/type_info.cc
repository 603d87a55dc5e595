#include "type_info.h"

#include <new>
#include <utility>

#include "com_object.h"
#include "text_convert.h"

namespace tovalin::fake {
namespace {

class NamedTypeInfo : public ComObject<ITypeInfo> {
 public:
  explicit NamedTypeInfo(std::string name) : name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** out) override {
    if (out == nullptr) return E_POINTER;
    *out = new (std::nothrow) TYPEATTR{};
    if (*out == nullptr) return E_OUTOFMEMORY;
    (*out)->typekind = TKIND_DISPATCH;
    (*out)->memidConstructor = MEMBERID_NIL;
    (*out)->memidDestructor = MEMBERID_NIL;
    (*out)->cbSizeVft = static_cast<WORD>(7 * sizeof(void*));  // the IDispatch methods
    (*out)->cbAlignment = static_cast<WORD>(alignof(void*));
    return S_OK;
  }
  void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attr) override { delete attr; }

  HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID member, BSTR* name, BSTR* doc,
                                             DWORD* help_context, BSTR* help_file) override {
    if (name != nullptr) *name = nullptr;
    if (doc != nullptr) *doc = nullptr;
    if (help_context != nullptr) *help_context = 0;
    if (help_file != nullptr) *help_file = nullptr;
    if (member != MEMBERID_NIL) return TYPE_E_ELEMENTNOTFOUND;
    if (name == nullptr) return S_OK;
    try {
      *name = ToBstr(name_);
      return S_OK;
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** out) override { return Nothing(out); }
  HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC** out) override { return Nothing(out); }
  HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC** out) override { return Nothing(out); }
  HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT* count) override {
    if (count != nullptr) *count = 0;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT, HREFTYPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT, INT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE, ITypeInfo** out) override {
    return Nothing(out);
  }
  HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID* out) override {
    return Nothing(out);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID* out) override {
    return Nothing(out);
  }
  HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR* out) override { return Nothing(out); }
  HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** out, UINT* index) override {
    if (index != nullptr) *index = 0;
    return Nothing(out);
  }
  void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
  void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_ITypeInfo)) return static_cast<ITypeInfo*>(this);
    return ComObject::FindInterface(iid);
  }

 private:
  // Clears an out parameter of a method this description does not offer.
  template <typename T>
  static HRESULT Nothing(T** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
  }

  std::string name_;
};

}  // namespace

ITypeInfo* NewNamedTypeInfo(std::string type_name) {
  return new NamedTypeInfo(std::move(type_name));
}

}  // namespace tovalin::fake
