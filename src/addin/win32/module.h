// The module's own state: its instance handle and the count of live objects and server locks
// that DllCanUnloadNow consults.
#pragma once

#include <windows.h>

#include <string>

namespace tovalin::win32 {

// The instance handle DllMain received.
HINSTANCE ModuleInstance();

// The module's full path; empty when it cannot be had.
std::wstring ModulePath();

// Every COM object of the module holds one count.
void ModuleAddRef();
void ModuleRelease();

// IClassFactory::LockServer; an unlock without a lock is ignored.
void ModuleLock();
void ModuleUnlock();

// True while an object, a lock or a command-bar event sink of the module is alive.
bool ModuleInUse();

// Holds one module count for as long as it lives. As an object's first member it is destroyed
// last, after everything the object releases on its way out.
class ModuleReference {
 public:
  ModuleReference() { ModuleAddRef(); }
  ~ModuleReference() { ModuleRelease(); }
  ModuleReference(const ModuleReference&) = delete;
  ModuleReference& operator=(const ModuleReference&) = delete;
};

}  // namespace tovalin::win32
