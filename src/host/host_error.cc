#include "host/host_error.h"

#include <utility>

namespace tovalin {

std::string_view StandardErrorDescription(int32_t number) {
  switch (number) {
    case 3:
      return "Return without GoSub";
    case kErrInvalidCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrOutOfMemory:
      return "Out of memory";
    case kErrSubscriptOutOfRange:
      return "Subscript out of range";
    case kErrDivisionByZero:
      return "Division by zero";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrBadFileName:
      return "Bad file name or number";
    case kErrFileNotFound:
      return "File not found";
    case 55:
      return "File already open";
    case kErrDeviceIo:
      return "Device I/O error";
    case 58:
      return "File already exists";
    case kErrDiskFull:
      return "Disk full";
    case kErrTooManyFiles:
      return "Too many files";
    case 68:
      return "Device unavailable";
    case kErrPermissionDenied:
      return "Permission denied";
    case 71:
      return "Disk not ready";
    case kErrPathFileAccess:
      return "Path/File access error";
    case kErrPathNotFound:
      return "Path not found";
    case kErrObjectNotSet:
      return "Object variable or With block variable not set";
    case kErrInvalidUseOfNull:
      return "Invalid use of Null";
    case kErrObjectRequired:
      return "Object required";
    case kErrNoSuchMember:
      return "Object doesn't support this property or method";
    case kErrAutomation:
      return "Automation error";
    case 449:
      return "Argument not optional";
    case 450:
      return "Wrong number of arguments or invalid property assignment";
    default:
      return "Application-defined or object-defined error";
  }
}

HostError::HostError(int32_t number)
    : number_(number), description_(StandardErrorDescription(number)) {}

HostError::HostError(int32_t number, std::string description)
    : number_(number), description_(std::move(description)) {}

}  // namespace tovalin
