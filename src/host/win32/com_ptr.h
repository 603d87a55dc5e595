// ComPtr: an owning pointer to a COM interface. It AddRefs a raw pointer it is given, releases in
// its destructor, and put() releases what it holds before handing out the address for an out
// parameter, so a reused pointer never leaks.
#pragma once

#include <windows.h>

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace tovalin::win32 {

template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}  // NOLINT: implicit, as a null pointer is
  // Shares `pointer`: takes a reference of its own.
  explicit ComPtr(T* pointer) noexcept : pointer_(pointer) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  // Takes over the reference the caller holds (a pointer an API returned already counted).
  static ComPtr Attach(T* pointer) noexcept {
    ComPtr result;
    result.pointer_ = pointer;
    return result;
  }

  ComPtr(const ComPtr& other) noexcept : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  void reset() noexcept {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  // The address for an out parameter; what was held is released first.
  T** put() noexcept {
    reset();
    return &pointer_;
  }
  // Gives up the reference without releasing it.
  T* detach() noexcept { return std::exchange(pointer_, nullptr); }

  // QueryInterface for `iid`; null when the object does not offer it. What a failing call
  // leaves in its out parameter is never trusted.
  template <typename U>
  ComPtr<U> Query(REFIID iid) const noexcept {
    if (pointer_ == nullptr) return nullptr;
    void* raw = nullptr;
    if (FAILED(pointer_->QueryInterface(iid, &raw)) || raw == nullptr) return nullptr;
    return ComPtr<U>::Attach(static_cast<U*>(raw));
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace tovalin::win32
