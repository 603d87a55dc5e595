// A VARIANT that clears itself (releasing the string or object it holds) when it goes.
#pragma once

#include <oaidl.h>
#include <oleauto.h>

namespace tovalin::fake {

class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&value_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  OwnedVariant(OwnedVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  OwnedVariant& operator=(OwnedVariant&& other) noexcept {
    if (this != &other) {
      VariantClear(&value_);
      value_ = other.value_;
      VariantInit(&other.value_);
    }
    return *this;
  }
  ~OwnedVariant() { VariantClear(&value_); }

  VARIANT& get() { return value_; }
  const VARIANT& get() const { return value_; }
  // The cleared VARIANT, to be filled.
  VARIANT* put() {
    VariantClear(&value_);
    return &value_;
  }
  // Hands the value, and whatever it owns, to the caller; this one is left Empty.
  VARIANT Release() {
    VARIANT out = value_;
    VariantInit(&value_);
    return out;
  }

 private:
  VARIANT value_;
};

}  // namespace tovalin::fake
