#include "collection_view.h"

#include <oleauto.h>

#include <algorithm>
#include <utility>

#include "com_object.h"
#include "host/host_error.h"
#include "host/memory/memory_model.h"

namespace tovalin::fake {
namespace {

enum : DISPID { kCount = 1 };

constexpr Member kMembers[] = {
    {"Item", DISPID_VALUE, "Index"},
    {"Count", kCount},
    {"_NewEnum", DISPID_NEWENUM},
};

// For Each over a collection: the items in order, each handed out as VT_DISPATCH.
class ItemEnumerator : public ComObject<IEnumVARIANT> {
 public:
  ItemEnumerator(std::shared_ptr<const CollectionItems> items, size_t next)
      : items_(std::move(items)), next_(next) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (fetched != nullptr) *fetched = 0;
    if (count == 0) return S_OK;
    if (out == nullptr) return E_POINTER;
    ULONG done = 0;
    for (; done < count && next_ < items_->size(); ++done, ++next_) {
      VariantInit(&out[done]);
      out[done].vt = VT_DISPATCH;
      out[done].pdispVal = ComPtr<IDispatch>((*items_)[next_].view).Detach();
    }
    if (fetched != nullptr) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t left = items_->size() - next_;
    next_ += std::min<size_t>(left, count);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (out == nullptr) return E_POINTER;
    *out = new (std::nothrow) ItemEnumerator(items_, next_);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 protected:
  void* FindInterface(REFIID iid) override {
    if (IsEqualIID(iid, IID_IEnumVARIANT)) return static_cast<IEnumVARIANT*>(this);
    return ComObject::FindInterface(iid);
  }

 private:
  std::shared_ptr<const CollectionItems> items_;
  size_t next_;
};

}  // namespace

CollectionView::CollectionView(std::shared_ptr<ViewRegistry> views, std::string type_name,
                               CollectionItems items)
    : DispatchObject(std::move(views)),
      type_name_(std::move(type_name)),
      items_(std::make_shared<const CollectionItems>(std::move(items))) {}

std::span<const Member> CollectionView::Members() const { return kMembers; }

void CollectionView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case DISPID_VALUE:
      call.Return(Item(call));
      return;
    case kCount:
      call.Return(Variant::Long(static_cast<int32_t>(items_->size())));
      return;
    case DISPID_NEWENUM:
      call.ReturnUnknown(ComPtr<IUnknown>::Adopt(new ItemEnumerator(items_, 0)));
      return;
  }
}

ComPtr<IDispatch> CollectionView::Item(const Call& call) const {
  const VARIANT& index = call.args().Required(0);
  if (index.vt == VT_BSTR || index.vt == (VT_BYREF | VT_BSTR)) {
    const std::string name = call.args().String(index);
    for (const CollectionItem& item : *items_) {
      if (EqualsIgnoringAsciiCase(item.name(), name)) return item.view;
    }
    throw HostError(kErrSubscriptOutOfRange);
  }
  OwnedVariant number;
  if (FAILED(VariantChangeType(number.put(), const_cast<VARIANT*>(&index), 0, VT_I4))) {
    throw HostError(kErrTypeMismatch);
  }
  const int32_t position = number.get().lVal;
  if (position < 1 || static_cast<size_t>(position) > items_->size()) {
    throw HostError(kErrSubscriptOutOfRange);
  }
  return (*items_)[static_cast<size_t>(position - 1)].view;
}

ComPtr<IDispatch> NewCollection(std::shared_ptr<ViewRegistry> views, std::string type_name,
                                CollectionItems items) {
  return ComPtr<IDispatch>::Adopt(
      new CollectionView(std::move(views), std::move(type_name), std::move(items)));
}

}  // namespace tovalin::fake
