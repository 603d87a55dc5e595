// UniqueVariant: an owning VARIANT, cleared (its BSTR freed, its interface released) when the
// owner goes or put() hands out its address again.
#pragma once

#include <windows.h>

#include <oleauto.h>

namespace tovalin::win32 {

class UniqueVariant {
 public:
  UniqueVariant() noexcept { VariantInit(&value_); }
  // Takes over a VARIANT the caller owns.
  static UniqueVariant Attach(const VARIANT& value) noexcept {
    UniqueVariant result;
    result.value_ = value;
    return result;
  }

  UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
  }
  UniqueVariant& operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = other.value_;
      VariantInit(&other.value_);
    }
    return *this;
  }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { reset(); }

  const VARIANT& get() const noexcept { return value_; }
  VARTYPE type() const noexcept { return value_.vt; }
  void reset() noexcept {
    VariantClear(&value_);
    VariantInit(&value_);
  }
  // The address for an out parameter; what was held is cleared first.
  VARIANT* put() noexcept {
    reset();
    return &value_;
  }
  // Gives up ownership; the caller clears the result.
  VARIANT release() noexcept {
    VARIANT out = value_;
    VariantInit(&value_);
    return out;
  }

 private:
  VARIANT value_;
};

}  // namespace tovalin::win32
