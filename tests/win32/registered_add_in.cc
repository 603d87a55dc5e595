#include "registered_add_in.h"

#include <stdexcept>

#include "add_in_identity.h"
#include "harness_support.h"
#include "registry_tree.h"

namespace tovalin::win32::testing {
namespace {

const std::wstring kMachineClasses = L"Software\\Classes";

std::string HresultText(HRESULT hr) {
  char text[16];
  wsprintfA(text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

}  // namespace

HRESULT CallEntryPoint(HMODULE module, const char* name) {
  using EntryPoint = HRESULT(STDAPICALLTYPE*)();
  auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (entry == nullptr) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  return entry();
}

void CreateRegistrationParents() {
  for (const std::wstring& key : {kEditorAddIns, kOtherEditorAddIns, kUserClasses + L"\\CLSID",
                                  kUserClasses + L"\\TypeLib", kUserClasses + L"\\Interface"}) {
    CreateKey(HKEY_CURRENT_USER, key);
  }
}

RegisteredAddIn::RegisteredAddIn() {
  module_ = LoadLibraryW(AddInModulePath().c_str());
  if (module_ == nullptr) {
    throw std::runtime_error("cannot load " + Narrow(AddInModulePath()) + ": error " +
                             std::to_string(GetLastError()));
  }
  const bool wine = RunningUnderWine();
  if (wine) {
    // Copies a crashed run may have left.
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineClasses + L"\\CLSID\\" + GuidText(kAddInClsid));
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineClasses + L"\\" + kProgId);
  }
  CreateRegistrationParents();
  const RegistryTree before = SnapshotRegistry(HKEY_CURRENT_USER, kUserClasses);
  const HRESULT hr = CallEntryPoint(module_, "DllRegisterServer");
  if (FAILED(hr)) {
    FreeLibrary(module_);
    throw std::runtime_error("DllRegisterServer failed with " + HresultText(hr));
  }
  if (!wine) return;
  try {
    const RegistryTree after = SnapshotRegistry(HKEY_CURRENT_USER, kUserClasses);
    for (const std::wstring& added : AddedSubtrees(before, after)) {
      const std::wstring target = kMachineClasses + L"\\" + added;
      if (KeyExists(HKEY_LOCAL_MACHINE, target)) continue;
      machine_copies_.push_back(target);
      CopyKeyTree(HKEY_CURRENT_USER, kUserClasses + L"\\" + added, HKEY_LOCAL_MACHINE, target);
    }
  } catch (...) {
    Release();
    throw;
  }
}

RegisteredAddIn::~RegisteredAddIn() { Release(); }

void RegisteredAddIn::Release() {
  for (const std::wstring& copy : machine_copies_) DeleteKeyTree(HKEY_LOCAL_MACHINE, copy);
  CallEntryPoint(module_, "DllUnregisterServer");
  FreeLibrary(module_);
}

}  // namespace tovalin::win32::testing
