#include "addin/add_in.h"

#include <utility>

#include "common/app_info.h"
#include "host/error_state.h"

namespace tovalin {
namespace {

// Runs one step of a handler: a failed host call is abandoned and its error dropped.
template <typename Step>
void SkipOnError(Step&& step) {
  ErrorState dropped;
  RunStep(dropped, std::forward<Step>(step));
}

}  // namespace

std::string MenuCommandCaption() { return std::string(kApplicationTitle) + "..."; }

AddIn::~AddIn() {
  if (MenuItemHandler_ != nullptr) MenuItemHandler_->Disconnect(this);
}

void AddIn::SetMenuItemHandler(std::shared_ptr<CommandBarEvents> handler) {
  if (handler == MenuItemHandler_) return;
  // The new source is connected first: one that cannot be connected is not kept, and the old
  // one stays bound.
  if (handler != nullptr) handler->Connect(this);
  if (MenuItemHandler_ != nullptr) MenuItemHandler_->Disconnect(this);
  MenuItemHandler_ = std::move(handler);
}

void AddIn::AddinInstance_OnConnection(const std::shared_ptr<Vbe>& Application,
                                       int32_t /*ConnectMode*/) {
  IDE_ = Application;
  std::shared_ptr<CommandBar> bar;
  SkipOnError([&] {
    if (IDE_ == nullptr) throw HostError(kErrObjectNotSet);
    const std::shared_ptr<CommandBars> bars = IDE_->GetCommandBars();
    if (bars == nullptr) throw HostError(kErrObjectNotSet);
    bar = bars->Item(Variant::String("Add-Ins"));
  });
  // Without an "Add-Ins" bar the add-in stays loaded but offers no command.
  if (bar == nullptr) return;

  SkipOnError([&] {
    const std::shared_ptr<CommandBarControls> controls = bar->Controls();
    if (controls == nullptr) throw HostError(kErrObjectNotSet);
    MenuItem_ = controls->Add(kMsoControlButton, /*temporary=*/true);
  });
  SkipOnError([&] {
    if (MenuItem_ == nullptr) throw HostError(kErrObjectNotSet);
    MenuItem_->SetCaption(MenuCommandCaption());
  });
  SkipOnError([&] {
    if (MenuItem_ == nullptr) throw HostError(kErrObjectNotSet);
    const std::shared_ptr<VbeEvents> events = IDE_->GetEvents();
    if (events == nullptr) throw HostError(kErrObjectNotSet);
    SetMenuItemHandler(events->GetCommandBarEvents(MenuItem_));
  });
}

void AddIn::AddinInstance_OnDisconnection(int32_t /*RemoveMode*/) {
  SkipOnError([&] {
    if (MenuItem_ == nullptr) throw HostError(kErrObjectNotSet);
    MenuItem_->Delete();
  });
}

void AddIn::MenuItemHandler_Click(const ObjectRef& /*CommandBarControl*/, bool& /*handled*/,
                                  bool& /*CancelDefault*/) {
  std::unique_ptr<ExportDialog> dialog;
  SkipOnError([&] { dialog = dialogs_.Create(); });
  if (dialog == nullptr) return;
  // A failed initialisation still shows the dialog; a failed show ends the click quietly.
  SkipOnError([&] { dialog->Initialize(IDE_); });
  SkipOnError([&] { dialog->ShowModal(); });
}

void AddIn::Click(const ObjectRef& command_bar_control, bool& handled, bool& cancel_default) {
  MenuItemHandler_Click(command_bar_control, handled, cancel_default);
}

}  // namespace tovalin
