// Per-user registration of the module: the COM class AddIn with its ProgID and type library,
// and the entry in the editor's list of add-ins. Nothing needs administrator rights, nothing is
// shown, and unregistration removes exactly the keys registration creates (never their parents).
#pragma once

#include <windows.h>

namespace tovalin::win32 {

// Writes every key. On a failure it removes the registration altogether, an earlier one
// included (half of one would point the editor at a class it cannot create), and returns the
// failing call's HRESULT.
HRESULT RegisterServer() noexcept;

// Removes every key, also when some are already gone, but keeps the ProgID while the other
// architecture's build is registered; returns the first failure, S_OK otherwise.
HRESULT UnregisterServer() noexcept;

}  // namespace tovalin::win32
