// AddIn: the add-in's connection logic. At connection it puts one temporary command, "Export
// Forms to Visual Basic...", at the end of the editor's "Add-Ins" bar and listens to its clicks;
// each click runs one export dialog modally; at disconnection the command is deleted.
//
// All three handlers run in the skip-on-error model: a host call that fails is abandoned, its
// error dropped, and the handler goes on with its next step. Nothing is reported to the user and
// nothing reaches the host.
#pragma once

#include <cstdint>
#include <memory>

#include "host/command_bars.h"
#include "host/object_model.h"

namespace tovalin {

// One export dialog, created per click: Initialize, then ShowModal, then released.
class ExportDialog {
 public:
  virtual ~ExportDialog() = default;
  virtual void Initialize(const std::shared_ptr<Vbe>& IDE_) = 0;
  // Returns when the dialog has been closed (and its export, if any, has run).
  virtual void ShowModal() = 0;
};

class ExportDialogFactory {
 public:
  virtual ~ExportDialogFactory() = default;
  virtual std::unique_ptr<ExportDialog> Create() = 0;
};

// The caption of the menu command: the title, then "..." because it opens a dialog.
std::string MenuCommandCaption();

class AddIn : private CommandBarClickSink {
 public:
  explicit AddIn(ExportDialogFactory& dialogs) : dialogs_(dialogs) {}
  // Disconnects from the click events; the three members are released here, not at
  // disconnection.
  ~AddIn() override;
  AddIn(const AddIn&) = delete;
  AddIn& operator=(const AddIn&) = delete;

  void AddinInstance_OnConnection(const std::shared_ptr<Vbe>& Application, int32_t ConnectMode);
  void AddinInstance_OnDisconnection(int32_t RemoveMode);
  void MenuItemHandler_Click(const ObjectRef& CommandBarControl, bool& handled,
                             bool& CancelDefault);

  // The three public members.
  const std::shared_ptr<Vbe>& IDE() const { return IDE_; }
  const std::shared_ptr<CommandBarControl>& MenuItem() const { return MenuItem_; }
  const std::shared_ptr<CommandBarEvents>& MenuItemHandler() const { return MenuItemHandler_; }
  void SetIDE(std::shared_ptr<Vbe> ide) { IDE_ = std::move(ide); }
  void SetMenuItem(std::shared_ptr<CommandBarControl> item) { MenuItem_ = std::move(item); }
  // Binds the event source: the new one is connected, then the old one disconnected. Throws
  // HostError, keeping the old one, when the new one cannot be connected.
  void SetMenuItemHandler(std::shared_ptr<CommandBarEvents> handler);

 private:
  void Click(const ObjectRef& command_bar_control, bool& handled, bool& cancel_default) override;

  ExportDialogFactory& dialogs_;
  std::shared_ptr<Vbe> IDE_;
  std::shared_ptr<CommandBarControl> MenuItem_;
  std::shared_ptr<CommandBarEvents> MenuItemHandler_;
};

}  // namespace tovalin
