// The add-in module loaded and registered for the current user while the object lives, as the
// installer leaves it, and unregistered at its end.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tovalin::win32::testing {

// Calls one of the module's parameterless entry points (DllRegisterServer, ...).
HRESULT CallEntryPoint(HMODULE module, const char* name);

// Creates the keys under which registration writes, as they exist wherever the editor is
// installed (the editor's add-in lists, the per-user class folders), so that a fresh Wine prefix
// looks like such a machine and a registry comparison sees only what registration itself wrote.
void CreateRegistrationParents();

class RegisteredAddIn {
 public:
  // Throws std::runtime_error when the module cannot be loaded or registered.
  RegisteredAddIn();
  ~RegisteredAddIn();
  RegisteredAddIn(const RegisteredAddIn&) = delete;
  RegisteredAddIn& operator=(const RegisteredAddIn&) = delete;

  HMODULE module() const { return module_; }

 private:
  void Release();

  HMODULE module_ = nullptr;
  // Under Wine, whose class root does not include the per-user classes, the keys registration
  // added under HKCU\Software\Classes are copied to HKLM\Software\Classes for the object's life,
  // so that CLSIDFromProgID and CoCreateInstance find the class. Never on Windows.
  std::vector<std::wstring> machine_copies_;
};

}  // namespace tovalin::win32::testing
