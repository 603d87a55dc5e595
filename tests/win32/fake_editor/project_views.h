// The editor's own objects: the root (VBE), the project, its components with their properties
// and code modules, and the references.
#pragma once

#include <memory>
#include <string>

#include "dispatch_object.h"
#include "host/object_model.h"

namespace tovalin::fake {

class VbeView : public DispatchObject {
 public:
  using Model = Vbe;
  VbeView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<Vbe> vbe)
      : DispatchObject(std::move(views)), vbe_(std::move(vbe)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "VBE"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<Vbe> vbe_;
};

class ProjectView : public DispatchObject {
 public:
  using Model = VbProject;
  ProjectView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<VbProject> project)
      : DispatchObject(std::move(views)), project_(std::move(project)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "VBProject"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<VbProject> project_;
};

class ComponentView : public DispatchObject {
 public:
  using Model = VbComponent;
  ComponentView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<VbComponent> component)
      : DispatchObject(std::move(views)), component_(std::move(component)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "VBComponent"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<VbComponent> component_;
};

class CodeModuleView : public DispatchObject {
 public:
  using Model = CodeModule;
  CodeModuleView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<CodeModule> module)
      : DispatchObject(std::move(views)), module_(std::move(module)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "CodeModule"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<CodeModule> module_;
};

class ReferenceView : public DispatchObject {
 public:
  using Model = Reference;
  ReferenceView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<Reference> reference)
      : DispatchObject(std::move(views)), reference_(std::move(reference)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "Reference"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<Reference> reference_;
};

}  // namespace tovalin::fake
