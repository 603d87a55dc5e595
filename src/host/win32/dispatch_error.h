// The runtime's error for a failed late-bound call, as the editor's runtime reports it:
//   - a name the object lacks (DISP_E_UNKNOWNNAME, DISP_E_MEMBERNOTFOUND): 438;
//   - an HRESULT of the runtime's own facility (0x800Axxxx): error xxxx;
//   - the dispatch HRESULTs the runtime translates: DISP_E_TYPEMISMATCH 13, DISP_E_OVERFLOW 6,
//     E_OUTOFMEMORY 7, DISP_E_BADINDEX 9, E_INVALIDARG 5, DISP_E_DIVBYZERO 11,
//     DISP_E_PARAMNOTOPTIONAL 449, DISP_E_BADPARAMCOUNT 450;
//   - any other HRESULT: an automation error whose number is the HRESULT itself (as a signed
//     32-bit value, e.g. -2147467259 for E_FAIL), described "Automation error";
//   - DISP_E_EXCEPTION: the exception the object raised, from its EXCEPINFO: its wCode when
//     set, else its scode mapped as above, else 440; described by its bstrDescription when that
//     is not empty, else by the standard text of the number.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "host/host_error.h"

namespace tovalin::win32 {

// The error number the runtime gives to an HRESULT (not DISP_E_EXCEPTION).
int32_t ErrorNumberFromHresult(HRESULT hr);

HostError HostErrorFromHresult(HRESULT hr);

// The HRESULT by which an object raises `error` to a late-bound caller, the inverse of
// ErrorNumberFromHresult for the runtime's numbers: 1 to 65535 go in the runtime's facility
// (0x800Axxxx); an automation error's number is its HRESULT already.
HRESULT HresultFromHostError(const HostError& error) noexcept;

// For the result of IDispatch::Invoke. `info` is the EXCEPINFO the call filled (read only for
// DISP_E_EXCEPTION; its deferred fill-in is called here when set). The caller frees its BSTRs.
HostError HostErrorFromInvoke(HRESULT hr, EXCEPINFO& info);

}  // namespace tovalin::win32
