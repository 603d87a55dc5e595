// Bstr: an owning BSTR, and the conversions between BSTRs and the program's UTF-8 text. A BSTR's
// length is its SysStringLen, not its first NUL; a null BSTR is the empty text.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace tovalin::win32 {

class Bstr {
 public:
  Bstr() noexcept = default;
  // A new BSTR holding `utf8`. Throws HostError 7 (Out of memory) when it cannot be allocated.
  explicit Bstr(std::string_view utf8);
  // Takes over a BSTR the caller owns.
  static Bstr Attach(BSTR value) noexcept {
    Bstr result;
    result.value_ = value;
    return result;
  }

  Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { reset(); }

  BSTR get() const noexcept { return value_; }
  void reset() noexcept { SysFreeString(std::exchange(value_, nullptr)); }
  // The address for an out parameter; what was held is freed first.
  BSTR* put() noexcept {
    reset();
    return &value_;
  }
  BSTR detach() noexcept { return std::exchange(value_, nullptr); }

 private:
  BSTR value_ = nullptr;
};

// The text of a BSTR, all SysStringLen characters of it; "" for null.
std::string BstrToUtf8(BSTR value);

}  // namespace tovalin::win32
