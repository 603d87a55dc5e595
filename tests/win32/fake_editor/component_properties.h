// A component's Properties collection and its Property objects. Item(name) gives the property
// of that name; reading its Value reads the component's value, which is where an unknown name
// or an injected failure surfaces.
#pragma once

#include <memory>
#include <string>

#include "dispatch_object.h"
#include "host/object_model.h"

namespace tovalin::fake {

class PropertiesView : public DispatchObject {
 public:
  PropertiesView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<VbComponent> component)
      : DispatchObject(std::move(views)), component_(std::move(component)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "Properties"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<VbComponent> component_;
};

class PropertyView : public DispatchObject {
 public:
  PropertyView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<VbComponent> component,
               std::string name)
      : DispatchObject(std::move(views)),
        component_(std::move(component)),
        name_(std::move(name)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "Property"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<VbComponent> component_;
  std::string name_;
};

}  // namespace tovalin::fake
