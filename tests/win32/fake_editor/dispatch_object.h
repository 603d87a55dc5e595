// The base of every object the fake editor serves through IDispatch: members found by name
// (ignoring case) in a fixed table, arguments by position or name, a type description that names
// the object's type, and failures of the object model raised as the editor raises them:
// DISP_E_EXCEPTION with the error number in EXCEPINFO.scode.
//
// An object over a HostObject (a form, a control, a font, ...) also answers every name it has
// no member for: GetIDsOfNames gives such a name a dispatch number, and Invoke reads it with
// HostObject::Get, which fails with 438 when the object's type lacks it, as late binding does.
#pragma once

#include <oaidl.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>

#include "com_object.h"
#include "com_ptr.h"
#include "dispatch_args.h"
#include "host/object_model.h"

namespace tovalin::fake {

class ViewRegistry;

struct Member {
  // Empty for a member reached by dispatch number only.
  std::string_view name;
  DISPID id;
  // Parameter names in order, comma separated.
  std::string_view parameters = {};
  bool assignable = false;
};

// One Invoke of a member: its arguments and its result.
class Call {
 public:
  Call(ViewRegistry& views, const Arguments& args, bool put, VARIANT& result)
      : views_(views), args_(args), put_(put), result_(result) {}

  const Arguments& args() const { return args_; }
  // True for a property assignment, whose value is args().PutValue().
  bool is_put() const { return put_; }
  ViewRegistry& views() const { return views_; }

  void Return(const Variant& value);
  // VT_DISPATCH; a null pointer is Nothing.
  void Return(ComPtr<IDispatch> object);
  void ReturnUnknown(ComPtr<IUnknown> object);

 private:
  ViewRegistry& views_;
  const Arguments& args_;
  bool put_;
  VARIANT& result_;
};

// Answered by QueryInterface on the fake editor's own objects only: the way back from an
// IDispatch that the client hands in to the object it stands for.
// {B3F55804-2C51-48EB-B9F1-46DB3A064040}
inline constexpr IID kIidFakeEditorObject = {
    0xB3F55804, 0x2C51, 0x48EB, {0xB9, 0xF1, 0x46, 0xDB, 0x3A, 0x06, 0x40, 0x40}};

class DispatchObject : public ComObject<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override;

  // The fake editor's object behind `object` (AddRef'd), or null for any other object.
  static ComPtr<DispatchObject> Of(IUnknown* object);

 protected:
  explicit DispatchObject(std::shared_ptr<ViewRegistry> views) : views_(std::move(views)) {}
  ~DispatchObject() override;

  virtual std::span<const Member> Members() const = 0;
  // What TypeName reports for the object.
  virtual std::string TypeNameOfObject() const = 0;
  // The object that answers names without a member, or null when such names are unknown.
  virtual HostObject* LateBound() const { return nullptr; }
  // Runs `id`, a member of Members(). Throws HostError for a failure of the object model and
  // DispatchFailure for bad arguments.
  virtual void InvokeMember(DISPID id, Call& call) = 0;

  void* FindInterface(REFIID iid) override;
  ViewRegistry& views() const { return *views_; }
  const std::shared_ptr<ViewRegistry>& shared_views() const { return views_; }

 private:
  friend class ViewRegistry;
  using CacheKey = std::pair<const void*, std::type_index>;

  const Member* FindMember(DISPID id) const;
  const Member* FindMember(std::string_view name) const;

  std::shared_ptr<ViewRegistry> views_;
  // Set while the registry lists this object as the view of a model object.
  std::optional<CacheKey> cache_key_;
};

}  // namespace tovalin::fake
