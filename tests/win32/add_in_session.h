// One editor session with the add-in: the editor a project description describes, served through
// IDispatch by the fake editor, and the add-in created by its ProgID and connected to it as the
// editor does.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/memory/memory_command_bars.h"
#include "host/memory/memory_model.h"
#include "host/win32/com_ptr.h"
#include "host/win32/editor_interfaces.h"

namespace tovalin::win32::testing {

class AddInSession {
 public:
  // Throws when the description does not load.
  static std::unique_ptr<AddInSession> FromFile(const std::filesystem::path& description);
  static std::unique_ptr<AddInSession> FromJson(std::string_view description);
  ~AddInSession();
  AddInSession(const AddInSession&) = delete;
  AddInSession& operator=(const AddInSession&) = delete;

  // CLSIDFromProgID, CoCreateInstance and QueryInterface for the connection interface; the
  // first failure.
  HRESULT Create();
  // OnConnection and OnDisconnection with the arguments the editor passes.
  HRESULT Connect();
  HRESULT Disconnect();
  // Releases the add-in object, as the editor does after disconnecting.
  void Release();

  MemoryVbe& vbe() { return *vbe_; }
  IDispatch* editor() const { return editor_.get(); }
  IExtensibility2* add_in() const { return add_in_.get(); }

  // The controls captioned `caption` on every bar.
  std::vector<std::shared_ptr<MemoryCommandBarControl>> ControlsCaptioned(
      const std::wstring& caption);
  // The add-in's command: the last control of the "Add-Ins" bar when it carries the command's
  // caption; null otherwise.
  std::shared_ptr<MemoryCommandBarControl> MenuButton();
  // Chooses the command as the user does; runs the dialog to its end. Fails the test when there
  // is no command.
  void ChooseCommand(bool& handled, bool& cancel_default);
  void ChooseCommand();

 private:
  explicit AddInSession(std::shared_ptr<MemoryVbe> vbe);

  std::shared_ptr<MemoryVbe> vbe_;
  ComPtr<IDispatch> editor_;
  ComPtr<IExtensibility2> add_in_;
};

}  // namespace tovalin::win32::testing
