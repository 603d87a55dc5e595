// The failure of a read or call on a host object, carrying the error number and text that the
// editor's runtime uses for it. Host implementations throw it; the step runner (error_state.h)
// turns it into the current error.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace tovalin {

// Error numbers of the editor's runtime that this program raises or maps to.
enum ErrorNumber : int32_t {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscriptOutOfRange = 9,
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrDeviceIo = 57,
  kErrDiskFull = 61,
  kErrTooManyFiles = 67,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrObjectNotSet = 91,
  kErrInvalidUseOfNull = 94,
  kErrObjectRequired = 424,
  kErrNoSuchMember = 438,
  kErrAutomation = 440,
};

// The runtime's own text for an error number; "Application-defined or object-defined error" for
// numbers it has no text for.
std::string_view StandardErrorDescription(int32_t number);

class HostError : public std::exception {
 public:
  // An error with the runtime's standard text for `number`.
  explicit HostError(int32_t number);
  HostError(int32_t number, std::string description);

  int32_t number() const { return number_; }
  const std::string& description() const { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int32_t number_;
  std::string description_;
};

}  // namespace tovalin
