#include "host/win32/dispatch_error.h"

#include <string>

#include "host/win32/bstr.h"

namespace tovalin::win32 {
namespace {

constexpr int32_t kErrArgumentNotOptional = 449;
constexpr int32_t kErrWrongArgumentCount = 450;
constexpr char kAutomationError[] = "Automation error";

// FACILITY_CONTROL, where the runtime keeps its own error numbers.
bool IsRuntimeHresult(HRESULT hr) {
  return (static_cast<uint32_t>(hr) & 0xFFFF0000u) == 0x800A0000u;
}

std::string DefaultDescription(int32_t number) {
  // Numbers outside the runtime's own range are raw HRESULTs.
  if (number < 0 || number > 0xFFFF) return kAutomationError;
  return std::string(StandardErrorDescription(number));
}

}  // namespace

int32_t ErrorNumberFromHresult(HRESULT hr) {
  if (IsRuntimeHresult(hr)) return static_cast<int32_t>(static_cast<uint32_t>(hr) & 0xFFFFu);
  switch (hr) {
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
      return kErrNoSuchMember;
    case DISP_E_TYPEMISMATCH:
      return kErrTypeMismatch;
    case DISP_E_OVERFLOW:
      return kErrOverflow;
    case E_OUTOFMEMORY:
      return kErrOutOfMemory;
    case DISP_E_BADINDEX:
      return kErrSubscriptOutOfRange;
    case E_INVALIDARG:
      return kErrInvalidCall;
    case DISP_E_DIVBYZERO:
      return kErrDivisionByZero;
    case DISP_E_PARAMNOTOPTIONAL:
      return kErrArgumentNotOptional;
    case DISP_E_BADPARAMCOUNT:
      return kErrWrongArgumentCount;
    default:
      return static_cast<int32_t>(hr);
  }
}

HRESULT HresultFromHostError(const HostError& error) noexcept {
  const int32_t number = error.number();
  if (number > 0 && number <= 0xFFFF) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<WORD>(number));
  }
  // Not a failure code (0, or a positive number past the runtime's range): a generic failure,
  // never a success.
  return number < 0 ? static_cast<HRESULT>(number) : E_FAIL;
}

HostError HostErrorFromHresult(HRESULT hr) {
  const int32_t number = ErrorNumberFromHresult(hr);
  return HostError(number, DefaultDescription(number));
}

HostError HostErrorFromInvoke(HRESULT hr, EXCEPINFO& info) {
  if (hr != DISP_E_EXCEPTION) return HostErrorFromHresult(hr);
  if (info.pfnDeferredFillIn != nullptr) {
    // The fill-in completes `info` in place; its own result adds nothing we could report.
    info.pfnDeferredFillIn(&info);
    info.pfnDeferredFillIn = nullptr;
  }
  int32_t number = kErrAutomation;
  if (info.wCode != 0) {
    number = info.wCode;
  } else if (FAILED(info.scode)) {
    number = ErrorNumberFromHresult(info.scode);
  }
  std::string description = BstrToUtf8(info.bstrDescription);
  if (description.empty()) description = DefaultDescription(number);
  return HostError(number, std::move(description));
}

}  // namespace tovalin::win32
