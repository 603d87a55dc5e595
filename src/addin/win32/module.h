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

// Every COM object of the module and every IClassFactory::LockServer(TRUE) holds one count.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

}  // namespace tovalin::win32
