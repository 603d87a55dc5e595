// The editor's collections (VBComponents, References, Controls): Count, Item by 1-based index or
// by name (ignoring case), and _NewEnum for For Each. A collection holds the items it had when
// it was read.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com_ptr.h"
#include "dispatch_object.h"

namespace tovalin::fake {

struct CollectionItem {
  ComPtr<IDispatch> view;
  // The item's name for Item(name); it may fail as any read does.
  std::function<std::string()> name;
};
using CollectionItems = std::vector<CollectionItem>;

class CollectionView : public DispatchObject {
 public:
  CollectionView(std::shared_ptr<ViewRegistry> views, std::string type_name, CollectionItems items);

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return type_name_; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  ComPtr<IDispatch> Item(const Call& call) const;

  std::string type_name_;
  // Shared with the enumerators, which may outlive the collection.
  std::shared_ptr<const CollectionItems> items_;
};

// A new collection view, holding one reference for the caller.
ComPtr<IDispatch> NewCollection(std::shared_ptr<ViewRegistry> views, std::string type_name,
                                CollectionItems items);

}  // namespace tovalin::fake
