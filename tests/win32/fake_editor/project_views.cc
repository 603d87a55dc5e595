#include "project_views.h"

#include "collection_view.h"
#include "command_bar_views.h"
#include "component_properties.h"
#include "event_views.h"
#include "host/host_error.h"
#include "view_registry.h"

namespace tovalin::fake {
namespace {

// Builds a collection's items from the model's list, each with its view and its name.
template <typename View, typename Item>
CollectionItems ItemsOf(ViewRegistry& views, const std::vector<std::shared_ptr<Item>>& list) {
  CollectionItems items;
  items.reserve(list.size());
  for (const std::shared_ptr<Item>& item : list) {
    items.push_back({views.ViewFor<View>(item), [item] {
                       if (item == nullptr) throw HostError(kErrObjectNotSet);
                       return item->Name();
                     }});
  }
  return items;
}

}  // namespace

// ---- VBE

namespace {
enum : DISPID { kActiveVBProject = 1, kSelectedVBComponent, kCommandBars, kEvents };
constexpr Member kVbeMembers[] = {
    {"ActiveVBProject", kActiveVBProject},
    {"SelectedVBComponent", kSelectedVBComponent},
    {"CommandBars", kCommandBars},
    {"Events", kEvents},
};
}  // namespace

std::span<const Member> VbeView::Members() const { return kVbeMembers; }

void VbeView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case kActiveVBProject:
      call.Return(views().ViewFor<ProjectView>(vbe_->ActiveVBProject()));
      return;
    case kSelectedVBComponent:
      call.Return(views().ViewFor<ComponentView>(vbe_->SelectedVBComponent()));
      return;
    case kCommandBars:
      call.Return(views().ViewFor<CommandBarsView>(vbe_->GetCommandBars()));
      return;
    case kEvents:
      call.Return(views().ViewFor<EventsView>(vbe_->GetEvents()));
      return;
  }
}

// ---- VBProject

namespace {
enum : DISPID { kProjectName = 1, kVBComponents, kReferences };
constexpr Member kProjectMembers[] = {
    {"Name", kProjectName},
    {"VBComponents", kVBComponents},
    {"References", kReferences},
};
}  // namespace

std::span<const Member> ProjectView::Members() const { return kProjectMembers; }

void ProjectView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case kProjectName:
      call.Return(Variant::String(project_->Name()));
      return;
    case kVBComponents:
      call.Return(NewCollection(shared_views(), "VBComponents",
                                ItemsOf<ComponentView>(views(), project_->VBComponents())));
      return;
    case kReferences:
      call.Return(NewCollection(shared_views(), "References",
                                ItemsOf<ReferenceView>(views(), project_->References())));
      return;
  }
}

// ---- VBComponent

namespace {
enum : DISPID { kComponentName = 1, kType, kDesigner, kProperties, kCodeModule };
constexpr Member kComponentMembers[] = {
    {"Name", kComponentName},    {"Type", kType},
    {"Designer", kDesigner},     {"Properties", kProperties},
    {"CodeModule", kCodeModule},
};
}  // namespace

std::span<const Member> ComponentView::Members() const { return kComponentMembers; }

void ComponentView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case kComponentName:
      call.Return(Variant::String(component_->Name()));
      return;
    case kType:
      call.Return(Variant::Long(component_->Type()));
      return;
    case kDesigner:
      // Through ViewOf, so that the form is the same object its controls name as Parent.
      call.Return(views().ViewOf(component_->Designer()));
      return;
    case kProperties:
      call.Return(ComPtr<IDispatch>::Adopt(new PropertiesView(shared_views(), component_)));
      return;
    case kCodeModule:
      call.Return(views().ViewFor<CodeModuleView>(component_->GetCodeModule()));
      return;
  }
}

// ---- CodeModule

namespace {
enum : DISPID { kCountOfLines = 1, kLines };
constexpr Member kCodeModuleMembers[] = {
    {"CountOfLines", kCountOfLines},
    {"Lines", kLines, "StartLine,Count"},
};
}  // namespace

std::span<const Member> CodeModuleView::Members() const { return kCodeModuleMembers; }

void CodeModuleView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case kCountOfLines:
      call.Return(Variant::Long(module_->CountOfLines()));
      return;
    case kLines: {
      const Arguments& args = call.args();
      const int32_t start = args.Long(args.Required(0));
      const int32_t count = args.Long(args.Required(1));
      call.Return(Variant::String(module_->Lines(start, count)));
      return;
    }
  }
}

// ---- Reference

namespace {
enum : DISPID { kReferenceName = 1, kIsBroken };
constexpr Member kReferenceMembers[] = {
    {"Name", kReferenceName},
    {"IsBroken", kIsBroken},
};
}  // namespace

std::span<const Member> ReferenceView::Members() const { return kReferenceMembers; }

void ReferenceView::InvokeMember(DISPID id, Call& call) {
  switch (id) {
    case kReferenceName:
      call.Return(Variant::String(reference_->Name()));
      return;
    case kIsBroken:
      call.Return(Variant::Boolean(reference_->IsBroken()));
      return;
  }
}

}  // namespace tovalin::fake
