// The forms package's objects: the form (a component's designer), its controls with their
// extender properties, the font, and any other host object (a control's own Object). Each
// answers the names it has no member for by the object's late-bound read (HostObject::Get).
#pragma once

#include <memory>
#include <string>

#include "dispatch_object.h"
#include "host/object_model.h"

namespace tovalin::fake {

// A host object seen only through its reads by name.
class LateBoundView : public DispatchObject {
 public:
  using Model = HostObject;
  LateBoundView(std::shared_ptr<ViewRegistry> views, ObjectRef object)
      : DispatchObject(std::move(views)), object_(std::move(object)) {}

 protected:
  std::span<const Member> Members() const override { return {}; }
  std::string TypeNameOfObject() const override { return object_->TypeName(); }
  HostObject* LateBound() const override { return object_.get(); }
  void InvokeMember(DISPID, Call&) override {}

 private:
  ObjectRef object_;
};

class FormView : public LateBoundView {
 public:
  using Model = UserForm;
  FormView(std::shared_ptr<ViewRegistry> views, const std::shared_ptr<UserForm>& form)
      : LateBoundView(std::move(views), form), form_(form) {}

 protected:
  std::span<const Member> Members() const override;
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<UserForm> form_;
};

// A control's extender: the properties every control has, typed as the object model types
// them, then its Controls (containers only); everything else by name.
class ControlView : public LateBoundView {
 public:
  using Model = Control;
  ControlView(std::shared_ptr<ViewRegistry> views, const std::shared_ptr<Control>& control)
      : LateBoundView(std::move(views), control), control_(control) {}

 protected:
  std::span<const Member> Members() const override;
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<Control> control_;
};

// The standard font: its values by their standard dispatch numbers (0 Name, 2 Size, 3 Bold,
// 4 Italic, 5 Underline, 6 Strikethrough, 7 Weight, 8 Charset) and by name, exactly as stored.
class FontView : public LateBoundView {
 public:
  using Model = Font;
  FontView(std::shared_ptr<ViewRegistry> views, const std::shared_ptr<Font>& font)
      : LateBoundView(std::move(views), font), font_(font) {}

 protected:
  std::span<const Member> Members() const override;
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<Font> font_;
};

// A collection of controls (a form's or a container's Controls) named by their Name.
ComPtr<IDispatch> NewControlsCollection(const std::shared_ptr<ViewRegistry>& views,
                                        const ControlList& controls);

}  // namespace tovalin::fake
