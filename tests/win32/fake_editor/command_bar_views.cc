#include "command_bar_views.h"

#include "host/host_error.h"
#include "host/memory/memory_command_bars.h"
#include "variant_convert.h"
#include "view_registry.h"

namespace tovalin::fake {

// ---- CommandBars

namespace {
enum : DISPID { kBarsCount = 1 };
constexpr Member kBarsMembers[] = {
    {"Item", DISPID_VALUE, "Index"},
    {"Count", kBarsCount},
};
}  // namespace

std::span<const Member> CommandBarsView::Members() const { return kBarsMembers; }

void CommandBarsView::InvokeMember(DISPID id, Call& call) {
  if (id == kBarsCount) {
    auto* memory = dynamic_cast<MemoryCommandBars*>(bars_.get());
    if (memory == nullptr) throw HostError(kErrNoSuchMember);
    call.Return(Variant::Long(static_cast<int32_t>(memory->bars().size())));
    return;
  }
  const VARIANT& index = call.args().Required(0);
  const std::optional<Variant> value = FromVariant(index);
  if (!value) throw DispatchFailure{DISP_E_TYPEMISMATCH, call.args().IndexOf(index)};
  call.Return(views().ViewFor<CommandBarView>(bars_->Item(*value)));
}

// ---- CommandBar

namespace {
enum : DISPID { kBarControls = 1, kBarName };
constexpr Member kBarMembers[] = {
    {"Controls", kBarControls},
    {"Name", kBarName},
};
}  // namespace

std::span<const Member> CommandBarView::Members() const { return kBarMembers; }

void CommandBarView::InvokeMember(DISPID id, Call& call) {
  if (id == kBarName) {
    auto* memory = dynamic_cast<MemoryCommandBar*>(bar_.get());
    if (memory == nullptr) throw HostError(kErrNoSuchMember);
    call.Return(Variant::String(memory->name()));
    return;
  }
  call.Return(views().ViewFor<CommandBarControlsView>(bar_->Controls()));
}

// ---- CommandBarControls

namespace {
enum : DISPID { kAdd = 1 };
enum AddParameter : size_t { kType, kId, kParameter, kBefore, kTemporary };
constexpr Member kControlsMembers[] = {
    {"Add", kAdd, "Type,Id,Parameter,Before,Temporary"},
};
}  // namespace

std::span<const Member> CommandBarControlsView::Members() const { return kControlsMembers; }

void CommandBarControlsView::InvokeMember(DISPID, Call& call) {
  const Arguments& args = call.args();
  // The object model appends plain controls only. An Id, Parameter or Before would ask for
  // something it cannot do, so it is refused rather than ignored.
  for (size_t unsupported : {kId, kParameter, kBefore}) {
    const VARIANT* value = args.Find(unsupported);
    if (value != nullptr && value->vt != VT_EMPTY) {
      throw HostError(kErrInvalidCall, "Only Type and Temporary are supported by Add");
    }
  }
  const VARIANT* type = args.Find(kType);
  const VARIANT* temporary = args.Find(kTemporary);
  const int32_t control_type = type != nullptr ? args.Long(*type) : kMsoControlButton;
  const bool is_temporary = temporary != nullptr && args.Bool(*temporary);
  call.Return(views().ViewOf(controls_->Add(control_type, is_temporary)));
}

// ---- CommandBarControl

namespace {
enum : DISPID { kCaption = 1, kDelete };
constexpr Member kControlMembers[] = {
    {"Caption", kCaption, "", true},
    {"Delete", kDelete, "Temporary"},
};
}  // namespace

std::span<const Member> CommandBarControlView::Members() const { return kControlMembers; }

void CommandBarControlView::InvokeMember(DISPID id, Call& call) {
  if (id == kDelete) {
    control_->Delete();
    return;
  }
  if (call.is_put()) {
    control_->SetCaption(call.args().String(call.args().PutValue()));
    return;
  }
  // The object model's control offers no caption read; the in-memory one keeps it.
  auto* memory = dynamic_cast<MemoryCommandBarControl*>(control_.get());
  if (memory == nullptr) throw HostError(kErrNoSuchMember);
  call.Return(Variant::String(memory->caption()));
}

}  // namespace tovalin::fake
