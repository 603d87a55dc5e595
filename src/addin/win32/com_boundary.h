// Runs the body of a COM method so that no C++ exception crosses the boundary: the body's own
// HRESULT when it returns; for a HostError, the HRESULT by which the editor's runtime raises
// that error number (FACILITY_CONTROL, so a late-bound caller sees the same Err.Number);
// E_OUTOFMEMORY for an allocation failure; E_FAIL for anything else.
#pragma once

#include <windows.h>

#include <new>

#include "host/host_error.h"

namespace tovalin::win32 {

inline HRESULT HostErrorResult(const HostError& error) {
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<WORD>(error.number()));
}

template <typename Body>
HRESULT ComBoundary(Body&& body) noexcept {
  try {
    return body();
  } catch (const HostError& error) {
    return HostErrorResult(error);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace tovalin::win32
