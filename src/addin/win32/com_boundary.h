// Runs the body of a COM method so that no C++ exception crosses the boundary: the body's own
// HRESULT when it returns; for a HostError, the HRESULT by which the editor's runtime raises
// that error (so a late-bound caller sees the same Err.Number); E_OUTOFMEMORY for an allocation
// failure; E_FAIL for anything else.
#pragma once

#include <windows.h>

#include <new>

#include "host/host_error.h"
#include "host/win32/dispatch_error.h"

namespace tovalin::win32 {

template <typename Body>
HRESULT ComBoundary(Body&& body) noexcept {
  try {
    return body();
  } catch (const HostError& error) {
    return HresultFromHostError(error);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace tovalin::win32
