#include "addin/win32/export_dialog.h"

#include "addin/win32/module.h"

namespace tovalin::win32 {

// The editor writes text files in the system's ANSI code page, so the exported forms are
// written in it too.
Win32ExportDialog::Win32ExportDialog(HINSTANCE module)
    : runtime_{ErrorState{}, message_box_, file_system_, class_registry_, warnings_, GetACP()},
      window_(module),
      form_(window_, runtime_, settings_, shell_) {}

void Win32ExportDialog::Initialize(const std::shared_ptr<Vbe>& IDE_) { form_.Initialize(IDE_); }

void Win32ExportDialog::ShowModal() { window_.ShowModal(form_); }

std::unique_ptr<ExportDialog> Win32ExportDialogFactory::Create() {
  return std::make_unique<Win32ExportDialog>(ModuleInstance());
}

}  // namespace tovalin::win32
