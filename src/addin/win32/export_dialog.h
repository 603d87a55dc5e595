// The export dialog of one click on Windows: the Win32 platform services, a runtime over them,
// the dialog window and the dialog's logic, made together and released together.
#pragma once

#include <windows.h>

#include <memory>

#include "addin/add_in.h"
#include "dialogs/choose_form.h"
#include "dialogs/win32/choose_form_window.h"
#include "host/runtime.h"
#include "host/win32/debug_warning_sink.h"
#include "host/win32/registry_settings_store.h"
#include "host/win32/win32_class_registry.h"
#include "host/win32/win32_file_system.h"
#include "host/win32/win32_message_box.h"
#include "host/win32/win32_shell.h"

namespace tovalin::win32 {

class Win32ExportDialog final : public ExportDialog {
 public:
  // Creates the dialog window (hidden) from `module`'s resources. Throws HostError when the
  // window cannot be created.
  explicit Win32ExportDialog(HINSTANCE module);

  void Initialize(const std::shared_ptr<Vbe>& IDE_) override;
  void ShowModal() override;

 private:
  Win32MessageBox message_box_;
  Win32FileSystem file_system_;
  Win32ClassRegistry class_registry_;
  DebugWarningSink warnings_;
  RegistrySettingsStore settings_;
  Win32Shell shell_;
  Runtime runtime_;
  ChooseFormWindow window_;
  ChooseForm form_;
};

// Makes one Win32ExportDialog per click, from this module's resources.
class Win32ExportDialogFactory final : public ExportDialogFactory {
 public:
  std::unique_ptr<ExportDialog> Create() override;
};

}  // namespace tovalin::win32
